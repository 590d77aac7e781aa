tm_test(test_login app/test_login.cpp app/test_companias.cpp app/test_login_entorno.h)
target_link_libraries(test_login PRIVATE tm_app Qt6::Test)
