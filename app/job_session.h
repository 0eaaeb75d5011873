#pragma once
// The window's job: which file it is, opened once the window has shown its
// first frame, every calculation that completes or stops recorded in it the
// moment it ends, and a recorded calculation brought back onto the window.
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "store/job_file.h"
#include "text/calculation_ending.h"

namespace corvanet {

class MainWindow;
class WindowMenuDialogs;

class JobSession final : public QObject {
    Q_OBJECT

public:
    JobSession(MainWindow& window, WindowMenuDialogs& dialogs);
    ~JobSession() override;

    void UseDialogs(WindowMenuDialogs& dialogs) { dialogs_ = &dialogs; }
    // How long a write waits for another program writing the job.
    void SetBusyTimeout(int ms) { busyTimeoutMs_ = ms; }

    // The job named on the command line (created if missing), else the one
    // used last, else the default job; opened after the window's first
    // frame, or when first needed.
    void OpenAfterFirstFrame(const QString& named);
    // Opens the job chosen at start-up now, if it is not open yet.
    void EnsureOpen();

    // Makes `path` the window's job. The problem, untold, when it is not a
    // job, is newer, is damaged or cannot be made: the window keeps the job
    // it had. A job that is there but cannot be opened now (a read-only
    // folder, a lock) becomes the window's job with a warning, and each
    // calculation tries it again.
    std::optional<JobProblem> Open(const QString& path, bool create);

    // Null when the job could not be opened.
    JobFile* job() const { return job_.get(); }
    const QString& path() const { return path_; }

    // Brings the recorded calculation `id` onto the window: boxes, page,
    // sketch and copy. Tells the user when it is gone or when this program
    // computes its inputs differently from how the job recorded them.
    void Show(qint64 id);

    // Where the default job lives.
    static QString DefaultJobPath();

signals:
    void jobChanged();
    // A calculation was appended to the job.
    void recorded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Record(const CalculationEnding& ending);
    void Tell(const QString& message);
    // Opens the start-up choice, falling back to the default job.
    void OpenChosen();

    class Book;

    MainWindow& window_;
    WindowMenuDialogs* dialogs_;
    std::unique_ptr<Book> book_;
    std::unique_ptr<JobFile> job_;
    QString path_;
    std::optional<QString> chosen_;  // the start-up choice, until opened
    bool replaying_ = false;
    int busyTimeoutMs_ = JobOptions{}.busyTimeoutMs;
};

}  // namespace corvanet
