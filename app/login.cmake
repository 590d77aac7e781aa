target_sources(tm_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ctrlacceso.h ${CMAKE_CURRENT_LIST_DIR}/ctrlacceso.cpp
    ${CMAKE_CURRENT_LIST_DIR}/companias.h ${CMAKE_CURRENT_LIST_DIR}/companias.cpp)
