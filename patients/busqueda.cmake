# The patient search, the cities and the countries.
target_sources(tm_patients PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/navegador.h ${CMAKE_CURRENT_LIST_DIR}/navegador.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tercerostm.h ${CMAKE_CURRENT_LIST_DIR}/tercerostm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tablacodigos.h ${CMAKE_CURRENT_LIST_DIR}/tablacodigos.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ciudades.h ${CMAKE_CURRENT_LIST_DIR}/ciudades.cpp
    ${CMAKE_CURRENT_LIST_DIR}/paises.h ${CMAKE_CURRENT_LIST_DIR}/paises.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registro_busqueda.h ${CMAKE_CURRENT_LIST_DIR}/registro_busqueda.cpp
)

# Opening the patient search and searching by name on a million patients,
# against the raw Firebird client running the same statements.
if(TARGET tm_patients)
    add_executable(bench_busqueda_pacientes ${CMAKE_SOURCE_DIR}/bench/pacientes/bench_busqueda.cpp)
    target_link_libraries(bench_busqueda_pacientes PRIVATE tm_patients tm_ui tm_data tm_common Qt6::Widgets)
endif()
