#include "app/job_session.h"

#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include "app/window_menu.h"
#include "store/known_points.h"
#include "ui/calculation_replay.h"
#include "ui/main_window.h"
#include "ui/meter_precision_dialog.h"

namespace corvanet {
namespace {

const QString kLastJobKey = QStringLiteral("job/last");

bool Refused(const JobProblem& problem)
{
    return problem.kind == JobProblem::Kind::NotAJob || problem.kind == JobProblem::Kind::Newer ||
           problem.kind == JobProblem::Kind::Damaged;
}

// The columns that say what was computed: the time and the program's
// version are the record's own.
bool SameFigures(const std::vector<QVariant>& stored, const std::vector<QVariant>& again)
{
    const auto columns = CalculationColumns();
    if (stored.size() != columns.size() || again.size() != columns.size()) return false;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const QLatin1String name(columns[i].name);
        if (name == QLatin1String("calculated_at") || name == QLatin1String("program_version")) continue;
        if (stored[i].isNull() != again[i].isNull()) return false;
        if (stored[i].isNull()) continue;
        // SQLite keeps a zero without its sign: == takes -0 and 0 alike.
        if (columns[i].type == ColumnType::Real ? stored[i].toDouble() != again[i].toDouble()
                                                : stored[i].toString() != again[i].toString())
            return false;
    }
    return true;
}

}  // namespace

// The job's known points for the entry, read when a prompt asks: another
// window or program may have added some since.
class JobSession::Book final : public KnownPointBook {
public:
    explicit Book(JobSession& session) : session_(session) {}
    std::optional<Point> Find(const std::string& name) const override
    {
        session_.EnsureOpen();
        if (!session_.job()) return std::nullopt;
        const auto found = FindKnownPoint(*session_.job(), QString::fromStdString(name));
        const auto* point = std::get_if<std::optional<KnownPoint>>(&found);
        if (!point || !*point) return std::nullopt;
        return Point{(*point)->name.toStdString(), (*point)->x, (*point)->y};
    }
    std::vector<std::string> Names() const override
    {
        session_.EnsureOpen();
        std::vector<std::string> names;
        if (!session_.job()) return names;
        const auto all = AllKnownPoints(*session_.job());
        if (const auto* points = std::get_if<std::vector<KnownPoint>>(&all))
            for (const KnownPoint& p : *points) names.push_back(p.name.toStdString());
        return names;
    }

private:
    JobSession& session_;
};

JobSession::JobSession(MainWindow& window, WindowMenuDialogs& dialogs)
    : QObject(&window), window_(window), dialogs_(&dialogs), book_(std::make_unique<Book>(*this))
{
    setObjectName(QStringLiteral("JobSession"));
    connect(&window, &MainWindow::calculationEnded, this, &JobSession::Record);
    window.memory().knownPoints = book_.get();
}

// A child of the window, deleted after the window's own members: the memory
// that points to the book is gone by then.
JobSession::~JobSession() = default;

QString JobSession::DefaultJobPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("默认作业.cvjob"));
}

void JobSession::OpenAfterFirstFrame(const QString& named)
{
    chosen_ = named;
    // Opening a job reads and checks it: never before the window is on
    // screen.
    window_.installEventFilter(this);
}

bool JobSession::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Paint) {
        window_.removeEventFilter(this);
        QTimer::singleShot(0, this, &JobSession::EnsureOpen);
    }
    return QObject::eventFilter(watched, event);
}

void JobSession::EnsureOpen()
{
    if (chosen_) OpenChosen();
}

void JobSession::OpenChosen()
{
    const QString named = *std::exchange(chosen_, std::nullopt);
    window_.removeEventFilter(this);
    const QString last = UserSettings().value(kLastJobKey).toString();
    QString path = named;
    if (path.isEmpty() && !last.isEmpty() && QFileInfo::exists(last)) path = last;
    if (path.isEmpty()) path = DefaultJobPath();
    const auto problem = Open(path, true);
    if (!problem) return;
    if (path == DefaultJobPath()) {
        Tell(problem->message + QStringLiteral("计算结果将不能记入作业。"));
        return;
    }
    // Not a job, newer or damaged: the day's work goes to the default job.
    Tell(problem->message + QStringLiteral("窗口改用默认作业“%1”。").arg(JobPathText(DefaultJobPath())));
    if (const auto again = Open(DefaultJobPath(), true)) Tell(again->message);
}

std::optional<JobProblem> JobSession::Open(const QString& path, bool create)
{
    if (create && path == DefaultJobPath()) QDir().mkpath(QFileInfo(path).absolutePath());
    auto opened = JobFile::Open(path, {.busyTimeoutMs = busyTimeoutMs_, .create = create});
    if (auto* problem = std::get_if<JobProblem>(&opened)) {
        if (Refused(*problem) || !QFileInfo::exists(path)) return *problem;
        // There, but not usable now (a read-only folder, a lock): it stays
        // the job, and every calculation tries it again.
        job_.reset();
        path_ = path;
        Tell(problem->message + QStringLiteral("计算结果暂时不能记入这个作业。"));
        emit jobChanged();
        return std::nullopt;
    }
    job_ = std::move(std::get<std::unique_ptr<JobFile>>(opened));
    path_ = path;
    UserSettings().setValue(kLastJobKey, QFileInfo(path).absoluteFilePath());
    emit jobChanged();
    return std::nullopt;
}

void JobSession::Record(const CalculationEnding& ending)
{
    if (replaying_ || ending.Cancelled()) return;
    EnsureOpen();
    if (!job_ && !path_.isEmpty()) {
        // Perhaps usable again (the folder made writable, the lock gone).
        auto opened = JobFile::Open(path_, {.busyTimeoutMs = busyTimeoutMs_});
        if (auto* problem = std::get_if<JobProblem>(&opened)) {
            Tell(QStringLiteral("本次计算的结果已显示，但没有记入作业：%1").arg(problem->message));
            return;
        }
        job_ = std::move(std::get<std::unique_ptr<JobFile>>(opened));
    }
    if (!job_) return;
    const CalculationEntry entry{QDateTime::currentDateTimeUtc(), *ending.outcome(), window_.meter(),
                                 window_.misclosureTest()};
    if (const auto problem = job_->Append(entry)) {
        Tell(QStringLiteral("本次计算的结果已显示，但%1").arg(problem->message));
        return;
    }
    emit recorded();
}

void JobSession::Show(qint64 id)
{
    EnsureOpen();
    if (!job_) return;
    const auto read = job_->Calculation(id);
    if (const auto* problem = std::get_if<JobProblem>(&read)) {
        Tell(problem->message);
        return;
    }
    const auto& stored = std::get<std::optional<StoredCalculation>>(read);
    if (!stored) {
        Tell(QStringLiteral("作业中已没有这条计算记录（可能已在另一个窗口中删除）。"));
        return;
    }
    replaying_ = true;
    const CalculationEnding ending = ReplayCalculation(window_, *stored);
    replaying_ = false;
    // The memory holds the calculation as shown again, its names restored.
    const std::optional<CalculationOutcome>& again = window_.memory().last;
    if (ending.Cancelled() || !again ||
        !SameFigures(stored->row,
                     CalculationRow({QDateTime::currentDateTimeUtc(), *again, stored->meter, window_.misclosureTest()})))
        Tell(QStringLiteral("这条记录的数值与本程序按其输入重算的结果不同（记录可能由另一版本的程序写入）；"
                            "窗口显示的是重算的结果。"));
}

void JobSession::Tell(const QString& message) { dialogs_->TellJob(&window_, message); }

}  // namespace corvanet
