#pragma once
// One job: an SQLite file that keeps every calculation of a surveyor's work.
// A file that is not a job, that a newer program made or that is damaged is
// never written to; every write is one transaction that lands whole or not
// at all, and is on the disk before the write returns.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "engine/survey_record.h"
#include "engine/tolerance.h"
#include "store/job_schema.h"

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

namespace corvanet {

// Why a job could not be opened or written, in a sentence that names the file.
struct JobProblem {
    enum class Kind { NotAJob, Newer, Damaged, CannotOpen, CannotWrite };
    Kind kind;
    QString message;
};

struct JobOptions {
    // How long a write waits for another program that is writing the job.
    int busyTimeoutMs = 5000;
    // Opens an existing job without creating one.
    bool create = true;
};

// A calculation as a job kept it.
struct StoredCalculation {
    qint64 id = 0;
    SurveyRecord inputs;         // as typed; fields the entry did not reach hold zero
    int inputsEntered = 0;       // how many of the ten inputs, in the entry's order, were typed
    bool pointNameEntered = false;
    MeterPrecision meter;
    std::array<std::string, 3> knownPoints;  // the names A, B and C were picked by
    std::vector<QVariant> row;   // every column after `id`, as read
};

class JobFile {
public:
    ~JobFile();
    JobFile(const JobFile&) = delete;
    JobFile& operator=(const JobFile&) = delete;

    // Opens the job at `path`, creating it when it does not exist. Checks it
    // read-only before anything is written to it.
    static std::variant<std::unique_ptr<JobFile>, JobProblem> Open(const QString& path, const JobOptions& options = {});

    const QString& path() const { return path_; }
    // The Qt SQL connection, for the windows' read-only models. Used from
    // the thread that opened the job.
    const QString& connectionName() const { return connection_; }

    // Appends the calculations in one transaction: all of them or none.
    std::optional<JobProblem> Append(std::span<const CalculationEntry> entries);
    std::optional<JobProblem> Append(const CalculationEntry& entry) { return Append(std::span(&entry, 1)); }

    // Appends calculations as they come, all in one transaction that Commit
    // ends: a batch of any length without holding its rows.
    class Appender {
    public:
        explicit Appender(JobFile& job);
        ~Appender();  // rolls back what was not committed
        std::optional<JobProblem> Add(const CalculationEntry& entry);
        std::optional<JobProblem> Commit();

    private:
        JobFile& job_;
        std::unique_ptr<QSqlQuery> insert_;
        QStringList marks_;  // the placeholders, in the order of the columns
        std::optional<JobProblem> problem_;
        bool open_ = false;
    };

    // Runs `work` in one write transaction: it returns an empty text, or
    // the reason it failed, and then nothing of it stays.
    std::optional<JobProblem> Write(const std::function<QString(const QSqlDatabase& db)>& work);

    // Removes the calculations with these ids, in one transaction.
    std::optional<JobProblem> Delete(std::span<const qint64> ids);

    // The calculation with `id`; none when there is no such row.
    std::variant<std::optional<StoredCalculation>, JobProblem> Calculation(qint64 id) const;

    // Runs `each` on every row of `sql` (a SELECT with `values` bound), one
    // row at a time; stops at the first false. The problem, if reading failed.
    std::optional<JobProblem> ForEachRow(const QString& sql, const std::vector<QVariant>& values,
                                         const std::function<bool(const QSqlQuery&)>& each) const;

private:
    JobFile(QString path, QString connection) : path_(std::move(path)), connection_(std::move(connection)) {}
    std::optional<JobProblem> Begin();
    std::optional<JobProblem> Finish(bool commit, std::optional<JobProblem> problem);
    JobProblem WriteProblem(const QString& reason) const;

    QString path_;
    QString connection_;
};

// What SQLite's error means to the user, in a few words.
QString SqlReason(const QSqlError& error);

// The path of a job as messages show it: absolute, native separators.
QString JobPathText(const QString& path);

}  // namespace corvanet
