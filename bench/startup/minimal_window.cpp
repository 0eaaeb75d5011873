// The yardstick for start-up time: the least a Qt Widgets program does to
// show one window.
#include <QApplication>
#include <QLabel>

#include "bench/startup/first_frame.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Hello"));
    window.resize(785, 690);
    startup_bench::ExitAfterFirstFrame(window);
    window.show();
    return app.exec();
}
