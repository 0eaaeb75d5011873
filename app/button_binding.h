#pragma once
namespace corvanet {

class MainWindow;

// Calculate runs the entry and the computation, Exit ends the program at
// once, Print prints the report of the record as the last Calculate left it.
void BindButtons(MainWindow& window);

}  // namespace corvanet
