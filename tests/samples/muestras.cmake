# Exam types and sample search, with real widgets over embedded databases.
tm_test(test_muestras samples/test_buscmuestra.cpp samples/test_tipoexamen.cpp samples/muestras_fixture.h)
target_link_libraries(test_muestras PRIVATE tm_samples tm_agenda tm_masters Qt6::Test)
