tm_test(test_alerts app/test_alerts.cpp)
target_link_libraries(test_alerts PRIVATE tm_app Qt6::Test)
