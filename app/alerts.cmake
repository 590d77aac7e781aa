target_sources(tm_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/avisos.h ${CMAKE_CURRENT_LIST_DIR}/avisos.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mensaje.h ${CMAKE_CURRENT_LIST_DIR}/mensaje.cpp)
