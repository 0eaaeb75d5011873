#pragma once
// Ends the program once `window` has shown its first frame, and prints the
// peak memory so far, when CORVANET_EXIT_AFTER_FIRST_FRAME is set. Used to
// time start-up from outside.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QObject>
#include <QWidget>
#include <cstdio>

namespace corvanet {

class FirstFrameExit : public QObject {
public:
    static void InstallIfAsked(QWidget& window)
    {
        if (qEnvironmentVariableIsSet("CORVANET_EXIT_AFTER_FIRST_FRAME")) window.installEventFilter(new FirstFrameExit(&window));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            // After the paint has been delivered, not before.
            QTimer::singleShot(0, [] {
                std::printf("peak-kb=%ld\n", PeakKilobytes());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    using QObject::QObject;

    static long PeakKilobytes()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly)) return -1;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').front().toLong();
        return -1;
    }

    bool done_ = false;
};

}  // namespace corvanet
