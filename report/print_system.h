#pragma once
// The print system as the Print button meets it: the state of the default
// printer before anything is laid out, and a job that is known to exist
// once sent. Tests play every state through a scripted PrintSystem.
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <memory>

namespace corvanet {

// What the print system says of its default printer.
struct PrinterQueue {
    enum class State {
        Ready,        // accepts jobs and is not stopped
        NoService,    // no print system answers
        NoPrinter,    // no printer is installed
        NoDefault,    // printers are installed, none is the default
        Rejecting,    // the default printer does not accept jobs
        Stopped,      // the default printer is stopped: jobs would wait
        Unreachable,  // the default printer is named but does not answer
    };
    State state = State::NoService;
    QString name;           // the default printer
    QString reason;         // the print system's own words; may be empty
    QStringList installed;  // NoDefault: the printers there are
    QPageLayout page;       // Ready: the printer's default paper and margins
};

// What became of the report handed to the print system.
struct SentJob {
    bool created = false;
    QString reason;  // why no job exists, in the print system's words
};

class PrintSystem {
public:
    virtual ~PrintSystem() = default;
    virtual PrinterQueue DefaultQueue() = 0;
    // Hands the PDF file `path` to the printer of `queue` as one job.
    virtual SentJob Send(const PrinterQueue& queue, const QString& path, const QString& title) = 0;
};

// The machine's print system, CUPS, through libcups.
std::unique_ptr<PrintSystem> CupsPrintSystem();

// What the user is told when `queue` cannot take the report (any state but
// Ready): the printer, what is wrong with it, and that nothing was printed.
QString QueueProblemText(const PrinterQueue& queue);
// The same when the printer took no job for the report.
QString JobProblemText(const PrinterQueue& queue, const SentJob& job);

}  // namespace corvanet
