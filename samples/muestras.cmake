# Exam types, sample search and the registration of the sample screens.
target_sources(tm_samples PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/tipoexamen.h ${CMAKE_CURRENT_LIST_DIR}/tipoexamen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/buscmuestra.h ${CMAKE_CURRENT_LIST_DIR}/buscmuestra.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registro_muestras.h ${CMAKE_CURRENT_LIST_DIR}/registro_muestras.cpp
)

# Benches on a company database of 1,000,000 samples made once under
# build/bench-data/: the search's opening against the raw client, and the
# time of a save on the sample-taking screen.
if(TARGET tm_samples)
    foreach(bench bench_muestras_busqueda bench_muestras_grabar)
        add_executable(${bench} ${CMAKE_SOURCE_DIR}/bench/muestras/${bench}.cpp
                                ${CMAKE_SOURCE_DIR}/bench/muestras/muestras_db.h)
        target_link_libraries(${bench} PRIVATE tm_samples tm_agenda tm_masters Qt6::Widgets)
        target_compile_definitions(${bench} PRIVATE TM_BENCH_DATA_DIR="${CMAKE_SOURCE_DIR}/build/bench-data")
    endforeach()
endif()
