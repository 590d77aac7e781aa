tm_test(test_inicio app/test_inicio.cpp)
target_link_libraries(test_inicio PRIVATE tm_app Qt6::Test)
