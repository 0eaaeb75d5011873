# The printed report: its lines and layout in plain C++, and on paper.
add_executable(report_lines_tests
  ${CMAKE_CURRENT_LIST_DIR}/report_lines_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layout_test.cpp
)
target_link_libraries(report_lines_tests PRIVATE corvanet_report_lines GTest::gtest_main)
gtest_discover_tests(report_lines_tests)
