#include <QApplication>

#include "button_binding.h"
#include "font_substitution.h"
#include "main_window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvanet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvanet"));
    // Before any widget exists, so every font the window names resolves.
    corvanet::InstallFontSubstitutions();

    corvanet::MainWindow window;
    corvanet::BindButtons(window);
    window.show();
    return app.exec();
}
