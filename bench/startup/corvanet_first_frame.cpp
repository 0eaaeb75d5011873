// Corvanet's start-up to its first painted frame: the window opened exactly
// as `corvanet` opens it, then the program ends and reports the time.
#include <QApplication>
#include <QTranslator>

#include "app/start_up.h"
#include "bench/startup/first_frame.h"
#include "ui/main_window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTranslator qtTexts;
    const auto window = corvanet::OpenMainWindow(qtTexts);
    startup_bench::ExitAfterFirstFrame(*window);
    window->show();
    return app.exec();
}
