# The patient entry and modification screens with real widgets against
# fresh demo companies.
tm_test(test_nvotercerotm patients/test_nvotercerotm.cpp patients/test_modtercerotm.cpp patients/ficha_entorno.h)
target_link_libraries(test_nvotercerotm PRIVATE tm_patients tm_samples tm_agenda tm_masters Qt6::Test)
