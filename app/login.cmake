target_sources(tm_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ctrlacceso.h ${CMAKE_CURRENT_LIST_DIR}/ctrlacceso.cpp
    ${CMAKE_CURRENT_LIST_DIR}/companias.h ${CMAKE_CURRENT_LIST_DIR}/companias.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nvacompania.h ${CMAKE_CURRENT_LIST_DIR}/nvacompania.cpp
    ${CMAKE_CURRENT_LIST_DIR}/conscompania.h ${CMAKE_CURRENT_LIST_DIR}/conscompania.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fichacompania.h ${CMAKE_CURRENT_LIST_DIR}/fichacompania.cpp)
