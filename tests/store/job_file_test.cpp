// Jobs as real SQLite files: what goes in comes back bit for bit, and a file
// that is not a job, is newer or is damaged is refused and left as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "engine/adjustment.h"
#include "engine/precision.h"
#include "store/job_file.h"
#include "tests/store/job_test_support.h"

namespace corvanet {
namespace {

using testing::Bits;
using testing::FileHash;
using testing::FixedTime;
using testing::Held;
using testing::Outcome;

// Runs statements on a connection of the test's own, as another program would.
void Sql(const QString& path, const QStringList& statements)
{
    const QString name = QStringLiteral("test-sql");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString& s : statements) ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

class JobFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    std::unique_ptr<JobFile> OpenJob(const QString& path, JobOptions options = {})
    {
        auto opened = JobFile::Open(path, options);
        if (auto* problem = std::get_if<JobProblem>(&opened)) {
            ADD_FAILURE() << problem->message.toStdString();
            return nullptr;
        }
        return std::move(std::get<std::unique_ptr<JobFile>>(opened));
    }
    JobProblem Refused(const QString& path)
    {
        auto opened = JobFile::Open(path);
        EXPECT_EQ(Held(opened), nullptr) << "opened " << path.toStdString();
        return Held(opened) ? JobProblem{} : std::get<JobProblem>(opened);
    }
    QTemporaryDir dir_;
};

TEST_F(JobFileTest, WhatIsAppendedReadsBackBitForBitWithNullsWhereTheCalculationDidNotGet)
{
    auto job = OpenJob(Path("day.cvjob"));
    ASSERT_TRUE(job);
    const CalculationOutcome complete = Outcome(testing::WorkedFigure(), "P1");
    // S1 and S2 too short for a triangle ABP: stops in the adjustment.
    const CalculationOutcome stopped = Outcome(testing::Figure(2500, 2600, 3000, 3000, 2450, 3550, 1, 1, 474.345), "P2");
    ASSERT_TRUE(complete.Complete());
    ASSERT_TRUE(stopped.failure);
    const MeterPrecision meter{3, 2};
    const CalculationEntry entries[] = {{FixedTime(), complete, meter, TestMisclosure(complete, meter)},
                                        {FixedTime(), stopped, meter, TestMisclosure(stopped, meter)}};
    ASSERT_EQ(job->Append(entries), std::nullopt);

    for (qint64 id : {1, 2}) {
        const auto read = job->Calculation(id);
        ASSERT_TRUE(std::holds_alternative<std::optional<StoredCalculation>>(read));
        const auto& stored = std::get<std::optional<StoredCalculation>>(read);
        ASSERT_TRUE(stored);
        const std::vector<QVariant> written = CalculationRow(entries[id - 1]);
        ASSERT_EQ(stored->row.size(), written.size());
        const auto columns = CalculationColumns();
        for (std::size_t i = 0; i < written.size(); ++i) {
            SCOPED_TRACE(columns[i].name);
            EXPECT_EQ(stored->row[i].isNull(), written[i].isNull());
            if (written[i].isNull()) continue;
            if (columns[i].type == ColumnType::Real)
                EXPECT_EQ(Bits(stored->row[i].toDouble()), Bits(written[i].toDouble()));
            else
                EXPECT_EQ(stored->row[i].toString(), written[i].toString());
        }
        EXPECT_EQ(stored->inputsEntered, 9);
        EXPECT_EQ(stored->meter.a, 3.0);
    }
    // The stopped one got no further than its inputs.
    const StoredCalculation second = *std::get<std::optional<StoredCalculation>>(job->Calculation(2));
    const auto value = [&](const char* name) {
        const auto columns = CalculationColumns();
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (qstrcmp(columns[i].name, name) == 0) return second.row[i];
        return QVariant(QStringLiteral("no such column"));
    };
    EXPECT_EQ(value("outcome").toString(), QStringLiteral("stopped"));
    EXPECT_FALSE(value("failure_step").isNull());
    EXPECT_FALSE(value("message").toString().isEmpty());
    for (const char* name : {"w", "k", "s1_adjusted", "px", "md", "m", "xp1", "yp3", "qxy", "mw", "verdict"}) EXPECT_TRUE(value(name).isNull()) << name;
    EXPECT_EQ(std::get<std::optional<StoredCalculation>>(job->Calculation(3)), std::nullopt);
}

// The entry stops at a distance with no single-precision copy: the
// distances after it were never typed, and the record still holds an
// earlier figure's there; the job keeps NULL, not those.
TEST_F(JobFileTest, InputsTheEntryDidNotReachAreNull)
{
    auto job = OpenJob(Path("entry.cvjob"));
    ASSERT_TRUE(job);
    SurveyRecord r = testing::WorkedFigure();
    r.PointName = "P";
    r.S2 = 1e39;
    std::optional<CalculationFailure> failure;
    try {
        TakeObservedCopy(r, 2);
    } catch (const CalculationFailure& f) {
        failure = f;
    }
    ASSERT_TRUE(failure);
    const CalculationOutcome stopped{r, r, failure, std::nullopt};
    ASSERT_EQ(job->Append({FixedTime(), stopped, {}, std::nullopt}), std::nullopt);
    const auto stored = std::get<std::optional<StoredCalculation>>(job->Calculation(1));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->inputsEntered, 8) << "Xa to Yc, S1 and S2";
    EXPECT_EQ(stored->inputs.S2, 1e39);
    int rows = 0;
    job->ForEachRow(QStringLiteral("SELECT id FROM calculations WHERE s3_measured IS NULL AND failure_step IS NOT NULL "
                                   "AND w IS NULL"),
                    {}, [&](const QSqlQuery&) { return ++rows, true; });
    EXPECT_EQ(rows, 1);
}

TEST_F(JobFileTest, AJobIsMarkedVersionedAndRunsWithoutTrustOrExtensions)
{
    const QString path = Path("marked.cvjob");
    auto job = OpenJob(path);
    ASSERT_TRUE(job);
    QSqlQuery q(QSqlDatabase::database(job->connectionName()));
    const auto scalar = [&](const char* sql) {
        EXPECT_TRUE(q.exec(QString::fromLatin1(sql))) << sql;
        return q.next() ? q.value(0) : QVariant();
    };
    EXPECT_EQ(scalar("PRAGMA application_id").toInt(), kJobApplicationId);
    EXPECT_EQ(scalar("PRAGMA user_version").toInt(), kJobSchemaVersion);
    EXPECT_EQ(scalar("PRAGMA journal_mode").toString(), QStringLiteral("wal"));
    EXPECT_EQ(scalar("PRAGMA synchronous").toInt(), 2);  // FULL
    EXPECT_EQ(scalar("PRAGMA trusted_schema").toInt(), 0);
    EXPECT_FALSE(q.exec(QStringLiteral("SELECT load_extension('/nonexistent/libx.so')")));
    EXPECT_NE(q.lastError().text().indexOf(QStringLiteral("not authorized")), -1) << q.lastError().text().toStdString();
}

TEST_F(JobFileTest, NamesReachTheJobOnlyAsValues)
{
    auto job = OpenJob(Path("names.cvjob"));
    ASSERT_TRUE(job);
    const std::string hostile = "'); DROP TABLE calculations;--";
    const CalculationOutcome o = Outcome(testing::WorkedFigure(), hostile);
    ASSERT_EQ(job->Append({FixedTime(), o, {}, std::nullopt}), std::nullopt);
    ASSERT_EQ(job->Append({FixedTime(), o, {}, std::nullopt}), std::nullopt);
    const auto stored = std::get<std::optional<StoredCalculation>>(job->Calculation(2));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->inputs.PointName, hostile);
}

TEST_F(JobFileTest, FilesThatAreNotJobsAreRefusedByNameAndLeftAsTheyWere)
{
    struct Case {
        const char* file;
        JobProblem::Kind kind;
        const char* reason;
    };
    const QString text = Path("notes.cvjob"), empty = Path("empty.cvjob"), other = Path("other.cvjob"),
                  newer = Path("newer.cvjob"), trigger = Path("trigger.cvjob"), view = Path("view.cvjob"),
                  reshaped = Path("reshaped.cvjob");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("点名,X,Y\nK1,1,2\n");
        QFile e(empty);
        ASSERT_TRUE(e.open(QIODevice::WriteOnly));
    }
    Sql(other, {QStringLiteral("CREATE TABLE calculations (id INTEGER PRIMARY KEY, name TEXT)")});
    for (const QString& path : {newer, trigger, view, reshaped}) OpenJob(path);  // made by this program first
    Sql(newer, {QStringLiteral("PRAGMA user_version = %1").arg(kJobSchemaVersion + 1)});
    Sql(trigger, {QStringLiteral("CREATE TRIGGER t AFTER INSERT ON calculations BEGIN DELETE FROM calculations; END")});
    Sql(view, {QStringLiteral("CREATE VIEW v AS SELECT * FROM calculations")});
    Sql(reshaped, {QStringLiteral("ALTER TABLE calculations DROP COLUMN md")});
    const Case cases[] = {
        {"notes.cvjob", JobProblem::Kind::NotAJob, "不是 SQLite 数据库"},
        {"empty.cvjob", JobProblem::Kind::NotAJob, "空文件"},
        {"other.cvjob", JobProblem::Kind::NotAJob, "另一个程序"},
        {"newer.cvjob", JobProblem::Kind::Newer, "较新版本"},
        {"trigger.cvjob", JobProblem::Kind::NotAJob, "触发器或视图"},
        {"view.cvjob", JobProblem::Kind::NotAJob, "触发器或视图"},
        {"reshaped.cvjob", JobProblem::Kind::NotAJob, "缺少列 md"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = Path(c.file);
        const QByteArray before = FileHash(path);
        const QStringList filesBefore = QDir(dir_.path()).entryList(QDir::Files);
        const JobProblem problem = Refused(path);
        EXPECT_EQ(problem.kind, c.kind);
        EXPECT_NE(problem.message.indexOf(QString::fromUtf8(c.reason)), -1) << problem.message.toStdString();
        EXPECT_NE(problem.message.indexOf(JobPathText(path)), -1) << problem.message.toStdString();
        EXPECT_EQ(FileHash(path), before);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), filesBefore);
    }
}

TEST_F(JobFileTest, ADamagedJobIsNeitherWrittenNorDeletedAndTheMessageSaysWhereItIs)
{
    // Enough rows for the table to span many pages.
    const QString good = Path("good.cvjob");
    {
        auto job = OpenJob(good);
        ASSERT_TRUE(job);
        const CalculationOutcome o = Outcome(testing::WorkedFigure());
        std::vector<CalculationEntry> entries(400, CalculationEntry{FixedTime(), o, {}, std::nullopt});
        ASSERT_EQ(job->Append(entries), std::nullopt);
        QSqlQuery q(QSqlDatabase::database(job->connectionName()));
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
    }
    QFile source(good);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    ASSERT_GT(bytes.size(), 40000);
    const QString truncated = Path("truncated.cvjob"), garbled = Path("garbled.cvjob");
    QByteArray middle = bytes;
    for (qsizetype i = bytes.size() / 2; i < bytes.size() / 2 + 6000; ++i) middle[i] = static_cast<char>(i * 7);
    for (const auto& [path, content] : {std::pair{truncated, bytes.left(bytes.size() / 2 + 100)}, std::pair{garbled, middle}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    for (const QString& path : {truncated, garbled}) {
        SCOPED_TRACE(path.toStdString());
        const QByteArray before = FileHash(path);
        const JobProblem problem = Refused(path);
        EXPECT_EQ(problem.kind, JobProblem::Kind::Damaged) << problem.message.toStdString();
        EXPECT_NE(problem.message.indexOf(QStringLiteral("已损坏")), -1) << problem.message.toStdString();
        EXPECT_NE(problem.message.indexOf(JobPathText(path)), -1);
        EXPECT_EQ(FileHash(path), before);
    }
}

TEST_F(JobFileTest, ALockedJobFailsTheWriteWithItsReasonAndKeepsNothingHalfDone)
{
    const QString path = Path("locked.cvjob");
    auto job = OpenJob(path, {.busyTimeoutMs = 100});
    ASSERT_TRUE(job);
    const CalculationOutcome o = Outcome(testing::WorkedFigure());
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        other.setDatabaseName(path);
        ASSERT_TRUE(other.open());
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        const auto problem = job->Append({FixedTime(), o, {}, std::nullopt});
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->kind, JobProblem::Kind::CannotWrite);
        EXPECT_NE(problem->message.indexOf(QStringLiteral("锁定")), -1) << problem->message.toStdString();
        EXPECT_NE(problem->message.indexOf(QStringLiteral("没有记入")), -1);
        ASSERT_TRUE(hold.exec(QStringLiteral("ROLLBACK")));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    // Free again: the next calculation lands, as the only row.
    ASSERT_EQ(job->Append({FixedTime(), o, {}, std::nullopt}), std::nullopt);
    EXPECT_TRUE(std::get<std::optional<StoredCalculation>>(job->Calculation(1)));
    EXPECT_FALSE(std::get<std::optional<StoredCalculation>>(job->Calculation(2)));
}

TEST_F(JobFileTest, TwoWritersOnOneJobLoseNoRowAndABatchLandsWholeOrNotAtAll)
{
    const QString path = Path("shared.cvjob");
    auto first = OpenJob(path), second = OpenJob(path);
    ASSERT_TRUE(first && second);
    const CalculationOutcome o = Outcome(testing::WorkedFigure());
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ((i % 2 ? first : second)->Append({FixedTime(), o, {}, std::nullopt}), std::nullopt);
    {
        JobFile::Appender batch(*first);
        for (int i = 0; i < 5; ++i) ASSERT_EQ(batch.Add({FixedTime(), o, {}, std::nullopt}), std::nullopt);
        // Dropped without Commit: none of the five stays.
    }
    int rows = 0;
    ASSERT_EQ(second->ForEachRow(QStringLiteral("SELECT id FROM calculations"), {}, [&](const QSqlQuery&) { return ++rows; }),
              std::nullopt);
    EXPECT_EQ(rows, 20);
    const qint64 ids[] = {3, 4};
    ASSERT_EQ(second->Delete(ids), std::nullopt);
    rows = 0;
    first->ForEachRow(QStringLiteral("SELECT id FROM calculations"), {}, [&](const QSqlQuery&) { return ++rows; });
    EXPECT_EQ(rows, 18);
}

// The point a row reports is the one the engine's route choice takes, ties
// included: the SQL reads the same as the engine on every ordering.
TEST_F(JobFileTest, TheReportedPointFollowsTheEnginesRouteChoice)
{
    auto job = OpenJob(Path("routes.cvjob"));
    ASSERT_TRUE(job);
    QSqlQuery q(QSqlDatabase::database(job->connectionName()));
    const double lengths[] = {1, 2, 3};
    for (double s1 : lengths)
        for (double s2 : lengths)
            for (double s3 : lengths) {
                ASSERT_TRUE(q.prepare(QStringLiteral("SELECT %1, %2 FROM (SELECT ? AS s1_adjusted, ? AS s2_adjusted, "
                                                     "? AS s3_adjusted, 11 AS xp1, 12 AS yp1, 21 AS xp2, 22 AS yp2, "
                                                     "31 AS xp3, 32 AS yp3)")
                                          .arg(ReportedXpSql(), ReportedYpSql())));
                q.addBindValue(s1), q.addBindValue(s2), q.addBindValue(s3);
                ASSERT_TRUE(q.exec() && q.next());
                const int route = static_cast<int>(ChooseRoute(s1, s2, s3)) + 1;
                EXPECT_EQ(q.value(0).toInt(), route * 10 + 1) << s1 << " " << s2 << " " << s3;
                EXPECT_EQ(q.value(1).toInt(), route * 10 + 2);
            }
}

}  // namespace
}  // namespace corvanet
