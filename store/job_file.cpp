#include "store/job_file.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include "store/job_schema.h"

namespace corvanet {
namespace {

constexpr char kSqliteHeader[] = "SQLite format 3";  // and its terminating NUL: 16 bytes

QString NewConnectionName()
{
    static QAtomicInteger<int> next = 0;
    return QStringLiteral("corvanet-job-%1").arg(next.fetchAndAddRelaxed(1));
}

JobProblem NotAJob(const QString& path, const QString& why)
{
    return {JobProblem::Kind::NotAJob,
            QStringLiteral("“%1”不是 Corvanet 作业文件（%2），没有改动它。").arg(JobPathText(path), why)};
}

JobProblem Damaged(const QString& path, const QString& why)
{
    return {JobProblem::Kind::Damaged,
            QStringLiteral("作业文件“%1”已损坏（%2），没有改动也没有删除它，文件仍在原处。").arg(JobPathText(path), why)};
}

JobProblem CannotOpen(const QString& path, const QString& why)
{
    return {JobProblem::Kind::CannotOpen, QStringLiteral("无法打开作业文件“%1”：%2。").arg(JobPathText(path), why)};
}

bool IsDamage(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26");
}

// A read that failed: the file damaged, or not to be opened now.
JobProblem ReadProblem(const QString& path, const QSqlError& error)
{
    return IsDamage(error) ? Damaged(path, SqlReason(error)) : CannotOpen(path, SqlReason(error));
}

}  // namespace

QString SqlReason(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    if (code == QLatin1String("13")) return QStringLiteral("磁盘已满");
    if (code == QLatin1String("5") || code == QLatin1String("6")) return QStringLiteral("文件正被另一个程序锁定");
    if (code == QLatin1String("8")) return QStringLiteral("文件或文件夹只能读，不能写");
    if (code == QLatin1String("14")) return QStringLiteral("无法打开文件或在其文件夹中建立日志文件");
    if (code == QLatin1String("10")) return QStringLiteral("读写文件时出错");
    if (IsDamage(error)) return QStringLiteral("文件已损坏");
    return error.text();
}

namespace {

// A connection that is removed when it goes out of scope.
class Connection {
public:
    Connection(const QString& path, const QString& options) : name_(NewConnectionName())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        // A job is a document from anywhere: no extension is ever loaded
        // (the driver leaves loading off unless asked).
        db.setConnectOptions(options);
    }
    ~Connection()
    {
        if (!name_.isEmpty()) {
            QSqlDatabase::database(name_, false).close();
            QSqlDatabase::removeDatabase(name_);
        }
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    QString Release() { return std::exchange(name_, QString()); }

private:
    QString name_;
};

// Runs `sql` and hands back its first value, or the error.
std::variant<QVariant, QSqlError> Scalar(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql)) return q.lastError();
    return q.next() ? q.value(0) : QVariant();
}

bool Exec(const QSqlDatabase& db, const QString& sql, QString& error)
{
    QSqlQuery q(db);
    if (q.exec(sql)) return true;
    error = SqlReason(q.lastError());
    return false;
}

// The checks made before anything is written: on a read-only connection,
// with the file's own schema trusted for nothing.
std::optional<JobProblem> Inspect(const QString& path, int busyTimeoutMs)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return CannotOpen(path, file.errorString());
    const QByteArray head = file.read(sizeof kSqliteHeader);
    file.close();
    if (head.isEmpty()) return NotAJob(path, QStringLiteral("是一个空文件"));
    if (head != QByteArray(kSqliteHeader, sizeof kSqliteHeader)) return NotAJob(path, QStringLiteral("不是 SQLite 数据库"));

    // With no log or journal beside it the whole database is in the file,
    // and it is read as immutable: no lock, no -shm or -wal file left
    // beside another program's database.
    const bool whole = !QFileInfo::exists(path + QStringLiteral("-wal")) && !QFileInfo::exists(path + QStringLiteral("-journal"));
    const QString name = whole ? QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
                                     QStringLiteral("?immutable=1")
                               : path;
    Connection c(name, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    QSqlDatabase db = c.db();
    if (!db.open()) return ReadProblem(path, db.lastError());
    QString error;
    if (!Exec(db, QStringLiteral("PRAGMA trusted_schema = OFF"), error)) return CannotOpen(path, error);

    const auto id = Scalar(db, QStringLiteral("PRAGMA application_id"));
    if (const auto* e = std::get_if<QSqlError>(&id)) return ReadProblem(path, *e);
    if (std::get<QVariant>(id).toInt() != kJobApplicationId)
        return NotAJob(path, QStringLiteral("是另一个程序的 SQLite 数据库"));

    const int version = std::get<QVariant>(Scalar(db, QStringLiteral("PRAGMA user_version"))).toInt();
    if (version > kJobSchemaVersion)
        return JobProblem{JobProblem::Kind::Newer,
                          QStringLiteral("作业文件“%1”由较新版本的 Corvanet 建立（格式 %2，本程序只认识到格式 %3），"
                                         "没有改动它。")
                              .arg(JobPathText(path))
                              .arg(version)
                              .arg(kJobSchemaVersion)};

    QSqlQuery objects(db);
    if (!objects.exec(QStringLiteral("SELECT type, name FROM sqlite_master"))) return ReadProblem(path, objects.lastError());
    while (objects.next()) {
        const QString type = objects.value(0).toString();
        if (type == QLatin1String("trigger") || type == QLatin1String("view"))
            return NotAJob(path, QStringLiteral("含有触发器或视图"));
    }

    // A job with a table that is not ours, by its columns.
    for (const auto& [table, columns] : SchemaTables(version)) {
        QSqlQuery info(db);
        QStringList present;
        info.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?)"));
        info.addBindValue(table);
        if (info.exec())
            while (info.next()) present << info.value(0).toString();
        for (const QString& column : columns)
            if (!present.contains(column))
                return NotAJob(path, QStringLiteral("表 %1 缺少列 %2").arg(table, column));
    }

    const auto check = Scalar(db, QStringLiteral("PRAGMA quick_check"));
    if (const auto* e = std::get_if<QSqlError>(&check)) return Damaged(path, SqlReason(*e));
    if (std::get<QVariant>(check).toString() != QLatin1String("ok"))
        return Damaged(path, QStringLiteral("完整性检查未通过"));
    return std::nullopt;
}


// What `stored` needs besides its row: the inputs, the meter, the names.
void ReadInputs(StoredCalculation& stored)
{
    const RowInputs inputs = InputsOfRow(stored.row);
    stored.inputs = inputs.record;
    stored.inputsEntered = inputs.numbersEntered;
    stored.pointNameEntered = inputs.nameEntered;
    const auto at = [&](std::string_view column) { return ColumnValue(stored.row, column); };
    stored.meter = {at("a_mm").toDouble(), at("b_ppm").toDouble()};
    stored.knownPoints = {at("a_name").toString().toStdString(), at("b_name").toString().toStdString(),
                          at("c_name").toString().toStdString()};
}

}  // namespace

QString JobPathText(const QString& path) { return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()); }

JobFile::~JobFile()
{
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

std::variant<std::unique_ptr<JobFile>, JobProblem> JobFile::Open(const QString& path, const JobOptions& options)
{
    const QFileInfo info(path);
    const bool exists = info.exists();
    if (exists && info.isDir()) return CannotOpen(path, QStringLiteral("这是一个文件夹"));
    if (!exists && !options.create) return CannotOpen(path, QStringLiteral("文件不存在"));
    if (exists)
        if (auto problem = Inspect(path, options.busyTimeoutMs)) return *problem;

    Connection c(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options.busyTimeoutMs));
    QSqlDatabase db = c.db();
    if (!db.open()) return CannotOpen(path, SqlReason(db.lastError()));
    QString error;
    // Durable the moment a result appears: write-ahead logging, synced at
    // every commit, so that a program killed right after loses nothing.
    // Where the log cannot be kept (some network folders) SQLite stays with
    // its rollback journal, synced as fully.
    for (const char* pragma : {"PRAGMA trusted_schema = OFF", "PRAGMA journal_mode = WAL", "PRAGMA synchronous = FULL"})
        if (!Exec(db, QString::fromLatin1(pragma), error)) return CannotOpen(path, error);

    const auto current = Scalar(db, QStringLiteral("PRAGMA user_version"));
    if (const auto* e = std::get_if<QSqlError>(&current)) return CannotOpen(path, SqlReason(*e));
    const int version = std::get<QVariant>(current).toInt();
    if (version < kJobSchemaVersion) {
        QStringList statements = SchemaUpgrade(version);
        if (version == 0) statements << QStringLiteral("PRAGMA application_id = %1").arg(kJobApplicationId);
        statements << QStringLiteral("PRAGMA user_version = %1").arg(kJobSchemaVersion);
        if (!Exec(db, QStringLiteral("BEGIN IMMEDIATE"), error)) return CannotOpen(path, error);
        // Another program may have made it while this one waited.
        const auto again = Scalar(db, QStringLiteral("PRAGMA user_version"));
        bool ok = std::holds_alternative<QVariant>(again);
        if (ok && std::get<QVariant>(again).toInt() == version)
            for (const QString& sql : statements)
                if (!(ok = Exec(db, sql, error))) break;
        if (!ok || !Exec(db, QStringLiteral("COMMIT"), error)) {
            QString ignored;
            Exec(db, QStringLiteral("ROLLBACK"), ignored);
            return CannotOpen(path, error);
        }
    }
    return std::unique_ptr<JobFile>(new JobFile(path, c.Release()));
}

JobProblem JobFile::WriteProblem(const QString& reason) const
{
    return {JobProblem::Kind::CannotWrite, QStringLiteral("没有记入作业文件“%1”（%2）。").arg(JobPathText(path_), reason)};
}

std::optional<JobProblem> JobFile::Begin()
{
    QString error;
    // IMMEDIATE: the write lock is taken at once, waiting out another
    // writer, rather than half way through.
    if (!Exec(QSqlDatabase::database(connection_, false), QStringLiteral("BEGIN IMMEDIATE"), error))
        return WriteProblem(error);
    return std::nullopt;
}

std::optional<JobProblem> JobFile::Finish(bool commit, std::optional<JobProblem> problem)
{
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QString error;
    if (commit && !problem && !Exec(db, QStringLiteral("COMMIT"), error)) problem = WriteProblem(error);
    if (problem || !commit) {
        QString ignored;
        Exec(db, QStringLiteral("ROLLBACK"), ignored);
    }
    return problem;
}

JobFile::Appender::Appender(JobFile& job) : job_(job)
{
    problem_ = job_.Begin();
    if (problem_) return;
    open_ = true;
    // Named placeholders: Qt names a positional one anew at every bind, which
    // took half the time of a batch.
    QStringList names;
    for (const JobColumn& c : CalculationColumns()) {
        names << QLatin1String(c.name);
        marks_ << QStringLiteral(":") + QLatin1String(c.name);
    }
    insert_ = std::make_unique<QSqlQuery>(QSqlDatabase::database(job_.connection_, false));
    if (!insert_->prepare(QStringLiteral("INSERT INTO calculations (%1) VALUES (%2)")
                              .arg(names.join(u','), marks_.join(u','))))
        problem_ = job_.WriteProblem(SqlReason(insert_->lastError()));
}

JobFile::Appender::~Appender()
{
    insert_.reset();
    if (open_) job_.Finish(false, std::nullopt);
}

std::optional<JobProblem> JobFile::Appender::Add(const CalculationEntry& entry)
{
    if (problem_) return problem_;
    const std::vector<QVariant> row = CalculationRow(entry);
    for (std::size_t i = 0; i < row.size(); ++i) insert_->bindValue(marks_[static_cast<qsizetype>(i)], row[i]);
    if (!insert_->exec()) problem_ = job_.WriteProblem(SqlReason(insert_->lastError()));
    return problem_;
}

std::optional<JobProblem> JobFile::Appender::Commit()
{
    insert_.reset();
    if (!open_) return problem_;
    open_ = false;
    return job_.Finish(true, problem_);
}

std::optional<JobProblem> JobFile::Append(std::span<const CalculationEntry> entries)
{
    Appender appender(*this);
    for (const CalculationEntry& entry : entries)
        if (auto problem = appender.Add(entry)) return problem;
    return appender.Commit();
}

std::optional<JobProblem> JobFile::Write(const std::function<QString(const QSqlDatabase& db)>& work)
{
    if (auto problem = Begin()) return problem;
    const QString error = work(QSqlDatabase::database(connection_, false));
    return Finish(true, error.isEmpty() ? std::nullopt : std::optional(WriteProblem(error)));
}

std::optional<JobProblem> JobFile::Delete(std::span<const qint64> ids)
{
    return Write([&](const QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.prepare(QStringLiteral("DELETE FROM calculations WHERE id = ?"))) return SqlReason(q.lastError());
        for (const qint64 id : ids) {
            q.bindValue(0, id);
            if (!q.exec()) return SqlReason(q.lastError());
        }
        return QString();
    });
}

std::optional<JobProblem> JobFile::ForEachRow(const QString& sql, const std::vector<QVariant>& values,
                                              const std::function<bool(const QSqlQuery&)>& each) const
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    const auto fail = [&] { return ReadProblem(path_, q.lastError()); };
    if (!q.prepare(sql)) return fail();
    for (std::size_t i = 0; i < values.size(); ++i) q.bindValue(static_cast<int>(i), values[i]);
    if (!q.exec()) return fail();
    while (q.next())
        if (!each(q)) return std::nullopt;
    if (q.lastError().isValid()) return fail();
    return std::nullopt;
}

std::variant<std::optional<StoredCalculation>, JobProblem> JobFile::Calculation(qint64 id) const
{
    QStringList names;
    for (const JobColumn& c : CalculationColumns()) names << QLatin1String(c.name);
    std::optional<StoredCalculation> stored;
    const auto problem = ForEachRow(QStringLiteral("SELECT %1 FROM calculations WHERE id = ?").arg(names.join(u',')),
                                    {id}, [&](const QSqlQuery& q) {
                                        stored.emplace();
                                        stored->id = id;
                                        for (int i = 0; i < names.size(); ++i) stored->row.push_back(q.value(i));
                                        ReadInputs(*stored);
                                        return false;
                                    });
    if (problem) return *problem;
    return stored;
}

}  // namespace corvanet
