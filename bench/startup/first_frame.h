#pragma once
// For the start-up benchmark: once `window` has painted its first frame,
// prints the wall clock, the processor time and the peak memory so far and
// ends the program at once. The start-up script subtracts the time it
// launched the program; the processor time is steadier on a loaded machine.
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace startup_bench {

class FirstFrameExit final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            // After the paint has been delivered, not before.
            QTimer::singleShot(0, [] {
                timespec now{}, cpu{};
                clock_gettime(CLOCK_REALTIME, &now);
                clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
                std::printf("first-frame-ns=%lld\ncpu-ns=%lld\npeak-kb=%ld\n",
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                            static_cast<long long>(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec, PeakKilobytes());
                std::fflush(stdout);
                std::_Exit(0);  // tearing the window down is not part of start-up
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
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

inline void ExitAfterFirstFrame(QWidget& window) { window.installEventFilter(new FirstFrameExit(&window)); }

}  // namespace startup_bench
