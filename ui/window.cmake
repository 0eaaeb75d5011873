# The main window, the Calculate command with its prompted entry, and the
# prompt dialog (Qt Widgets).
add_library(corvanet_ui STATIC
  window_layout.cpp
  caption_label.cpp
  prompt_dialog.cpp
  calculate_command.cpp
  main_window.cpp
)
target_include_directories(corvanet_ui PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(corvanet_ui PUBLIC corvanet_text corvanet_fonts Qt6::Widgets)
