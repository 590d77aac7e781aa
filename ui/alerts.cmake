target_sources(tm_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/AlertWindow.h ${CMAKE_CURRENT_LIST_DIR}/AlertWindow.cpp)
