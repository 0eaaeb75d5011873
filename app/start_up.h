#pragma once
// What the program does before its window shows, shared by `corvanet` and the
// start-up benchmark so that the benchmark times the window the user gets.
#include <QString>
#include <memory>


class QTranslator;

namespace corvanet {

class MainWindow;

// Names the application and installs Qt's own texts in Chinese through
// `qtTexts` (which must outlive the application's dialogs). Call once, after
// the QApplication.
void StartApplication(QTranslator& qtTexts);

// StartApplication, then the main window with its buttons bound and its
// menu installed. Its job, `jobPath` (else the one used last, else the
// default job), opens after the window's first frame.
std::unique_ptr<MainWindow> OpenMainWindow(QTranslator& qtTexts, const QString& jobPath = QString());

}  // namespace corvanet
