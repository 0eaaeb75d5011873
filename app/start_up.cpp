#include "app/start_up.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/button_binding.h"
#include "app/job_session.h"
#include "app/window_menu.h"
#include "ui/main_window.h"

namespace corvanet {

void StartApplication(QTranslator& qtTexts)
{
    QApplication::setApplicationName(QStringLiteral("Corvanet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvanet"));
    // Qt's own dialogs (the PDF file dialog, the OK and Cancel of the
    // prompts) speak the program's language too.
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
}

std::unique_ptr<MainWindow> OpenMainWindow(QTranslator& qtTexts, const QString& jobPath)
{
    StartApplication(qtTexts);
    auto window = std::make_unique<MainWindow>();
    BindButtons(*window);
    WindowMenuOf(*window)->job().OpenAfterFirstFrame(jobPath);
    return window;
}

}  // namespace corvanet
