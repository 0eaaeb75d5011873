#include <QApplication>
#include <QTranslator>

#include "app/start_up.h"
#include "ui/main_window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTranslator qtTexts;
    const auto window = corvanet::OpenMainWindow(qtTexts);
    window->show();
    return app.exec();
}
