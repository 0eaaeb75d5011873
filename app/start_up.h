#pragma once
// What the program does before its window shows, shared by `corvanet` and the
// start-up benchmark so that the benchmark times the window the user gets.
#include <memory>

class QTranslator;

namespace corvanet {

class MainWindow;

// Names the application, installs Qt's own texts in Chinese through
// `qtTexts` (which must outlive the application's dialogs) and builds the
// main window with its buttons bound. Call once, after the QApplication.
std::unique_ptr<MainWindow> OpenMainWindow(QTranslator& qtTexts);

}  // namespace corvanet
