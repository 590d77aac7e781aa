# Patient entry and modification screens.
target_sources(tm_patients PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/fichatercerotm.h ${CMAKE_CURRENT_LIST_DIR}/fichatercerotm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nvotercerotm.h ${CMAKE_CURRENT_LIST_DIR}/nvotercerotm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modtercerotm.h ${CMAKE_CURRENT_LIST_DIR}/modtercerotm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registro_ficha.h ${CMAKE_CURRENT_LIST_DIR}/registro_ficha.cpp
)
