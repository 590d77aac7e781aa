# The list grid shared by every list screen: the grid itself, its services
# (context menu, exports, print preview, filter switch) and the per-screen
# settings.
find_library(XLSXWRITER_LIB NAMES xlsxwriter REQUIRED)
find_path(XLSXWRITER_INCLUDE xlsxwriter.h REQUIRED)

target_sources(tm_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CellStyle.h
    ${CMAKE_CURRENT_LIST_DIR}/GridColumn.h
    ${CMAKE_CURRENT_LIST_DIR}/GridError.h
    ${CMAKE_CURRENT_LIST_DIR}/GridModel.h ${CMAKE_CURRENT_LIST_DIR}/GridModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridHeader.h ${CMAKE_CURRENT_LIST_DIR}/GridHeader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridDelegate.h ${CMAKE_CURRENT_LIST_DIR}/GridDelegate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DataGrid.h ${CMAKE_CURRENT_LIST_DIR}/DataGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridTable.h ${CMAKE_CURRENT_LIST_DIR}/GridTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridWriter.h ${CMAKE_CURRENT_LIST_DIR}/GridWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextGridWriter.h ${CMAKE_CURRENT_LIST_DIR}/TextGridWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CsvGridWriter.h ${CMAKE_CURRENT_LIST_DIR}/CsvGridWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HtmlGridWriter.h ${CMAKE_CURRENT_LIST_DIR}/HtmlGridWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RtfGridWriter.h ${CMAKE_CURRENT_LIST_DIR}/RtfGridWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XlsxGridWriter.h ${CMAKE_CURRENT_LIST_DIR}/XlsxGridWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridExport.h ${CMAKE_CURRENT_LIST_DIR}/GridExport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridPrintDocument.h ${CMAKE_CURRENT_LIST_DIR}/GridPrintDocument.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridSettings.h ${CMAKE_CURRENT_LIST_DIR}/GridSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridFilterSwitch.h ${CMAKE_CURRENT_LIST_DIR}/GridFilterSwitch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridServices.h ${CMAKE_CURRENT_LIST_DIR}/GridServices.cpp
)
target_include_directories(tm_ui PRIVATE ${XLSXWRITER_INCLUDE})
target_link_libraries(tm_ui PUBLIC Qt6::PrintSupport ${XLSXWRITER_LIB})

# Export speed: 100 000 rows to CSV and to a workbook.
if(TARGET tm_ui)
    add_executable(bench_grid_export ${CMAKE_SOURCE_DIR}/bench/grid/bench_export.cpp)
    target_link_libraries(bench_grid_export PRIVATE tm_ui Qt6::Widgets)
endif()
