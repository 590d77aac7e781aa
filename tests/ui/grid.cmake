# The list grid: its widgets against in-memory datasets and an embedded
# database, its exports read back by Python's own readers and openpyxl, its
# printout read back with pdftotext.
tm_test(test_grid ui/test_grid.cpp)
target_link_libraries(test_grid PRIVATE tm_ui Qt6::Test Qt6::PrintSupport)
