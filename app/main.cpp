#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/button_binding.h"
#include "app/first_frame.h"
#include "ui/font_substitution.h"
#include "ui/main_window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvanet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvanet"));
    // Qt's own dialogs (the PDF file dialog, the OK and Cancel of the
    // prompts) speak the program's language too.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    // Before any widget exists, so every font the window names resolves.
    corvanet::InstallFontSubstitutions();

    corvanet::MainWindow window;
    corvanet::BindButtons(window);
    corvanet::FirstFrameExit::InstallIfAsked(window);
    window.show();
    return app.exec();
}
