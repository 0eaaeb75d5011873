# The window, the Calculate command with its prompted entry, and the real
# prompt dialogs; offscreen, no display needed.
add_executable(ui_tests
  ${CMAKE_CURRENT_LIST_DIR}/ui_test_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prompt_dialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bad_input_test.cpp
)
target_link_libraries(ui_tests PRIVATE corvanet_app Qt6::Test GTest::gtest)
gtest_discover_tests(ui_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

add_executable(soak_tests ${CMAKE_CURRENT_LIST_DIR}/ui_test_main.cpp ${CMAKE_CURRENT_LIST_DIR}/soak_test.cpp)
target_link_libraries(soak_tests PRIVATE corvanet_app Qt6::Test GTest::gtest)
gtest_discover_tests(soak_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
