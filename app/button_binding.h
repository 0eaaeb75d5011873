#pragma once
namespace corvanet {

class MainWindow;

// Calculate runs the entry and the computation, Exit ends the program at
// once, Print prints the report of the record as the last Calculate left it.
// Also installs the window's context menu.
void BindButtons(MainWindow& window);

}  // namespace corvanet
