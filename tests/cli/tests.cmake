add_executable(cli_tests
  ${CMAKE_CURRENT_LIST_DIR}/figure_input_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/batch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_process_test.cpp
)
target_link_libraries(cli_tests PRIVATE corvanet_cli_core GTest::gtest_main)
target_compile_definitions(cli_tests PRIVATE CORVANET_CLI="$<TARGET_FILE:corvanet-cli>")
add_dependencies(cli_tests corvanet-cli)
gtest_discover_tests(cli_tests)
