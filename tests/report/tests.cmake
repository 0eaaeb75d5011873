# The printed report: its lines and layout in plain C++, and on paper.
add_executable(report_lines_tests
  ${CMAKE_CURRENT_LIST_DIR}/report_lines_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layout_test.cpp
)
target_link_libraries(report_lines_tests PRIVATE corvanet_report_lines GTest::gtest_main)
gtest_discover_tests(report_lines_tests)

# The paper tests read their PDFs back with pdftotext (poppler-utils).
find_program(CORVANET_PDFTOTEXT pdftotext)
if(NOT CORVANET_PDFTOTEXT)
  message(WARNING "pdftotext not found: the report PDF tests will fail until poppler-utils is installed")
  set(CORVANET_PDFTOTEXT "")
endif()

add_executable(report_paper_tests
  ${CMAKE_CURRENT_LIST_DIR}/qt_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_printer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_command_test.cpp
)
target_compile_definitions(report_paper_tests PRIVATE CORVANET_PDFTOTEXT="${CORVANET_PDFTOTEXT}")
target_link_libraries(report_paper_tests PRIVATE corvanet_report GTest::gtest)
gtest_discover_tests(report_paper_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
