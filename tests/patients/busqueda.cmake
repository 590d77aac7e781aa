# The patient search, the cities and the countries against real databases.
tm_test(test_tercerostm patients/test_tercerostm.cpp)
target_link_libraries(test_tercerostm PRIVATE tm_patients Qt6::Test)
tm_test(test_ciudades patients/test_ciudades.cpp)
target_link_libraries(test_ciudades PRIVATE tm_patients Qt6::Test)
