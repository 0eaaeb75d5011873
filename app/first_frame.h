#pragma once
// When CORVANET_EXIT_AFTER_FIRST_FRAME is set: once `window` has painted its
// first frame, prints the wall clock and the peak memory so far and ends the
// program at once. The start-up script subtracts the time it launched us.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QObject>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

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
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("first-frame-ns=%lld\npeak-kb=%ld\n",
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, PeakKilobytes());
                std::fflush(stdout);
                std::_Exit(0);  // tearing the window down is not part of start-up
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
