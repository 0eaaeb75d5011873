// The job's known points: added once, passed over when the same, kept on a
// conflict unless replacing; and a job of the first version brought up to
// hold them without losing a calculation.
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>

#include "store/known_points.h"
#include "tests/store/job_test_support.h"

namespace corvanet {
namespace {

using testing::FixedTime;
using testing::Outcome;

KnownPoint Point(const char* name, double x, double y, std::optional<double> h = std::nullopt)
{
    return {QString::fromUtf8(name), x, y, h, QString(), QStringLiteral("控制点.dat"), QString()};
}

class KnownPointsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto opened = JobFile::Open(dir.filePath(QStringLiteral("points.cvjob")));
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<JobFile>>(opened)) << std::get<JobProblem>(opened).message.toStdString();
        job = std::move(std::get<std::unique_ptr<JobFile>>(opened));
    }
    std::optional<KnownPoint> Find(const char* name)
    {
        return std::get<std::optional<KnownPoint>>(FindKnownPoint(*job, QString::fromUtf8(name)));
    }
    QTemporaryDir dir;
    std::unique_ptr<JobFile> job;
};

TEST_F(KnownPointsTest, TheSamePointIsPassedOverAndAnotherUnderItsNameIsAConflictKeptUntilReplaced)
{
    const KnownPoint first[] = {Point("K1", 2500, 2600), Point("控制点二", 3000, 3000, 12.5), Point("K3", 2450, 3550)};
    auto merge = std::get<KnownPointMerge>(AddKnownPoints(*job, first, false));
    EXPECT_EQ(merge.added, 3);
    EXPECT_TRUE(merge.conflicts.empty());

    // Again, with one moved and one new.
    const KnownPoint second[] = {Point("K1", 2500, 2600), Point("控制点二", 3000, 3000, 12.5), Point("K3", 2450.001, 3550),
                                 Point("K4", 1, 2)};
    merge = std::get<KnownPointMerge>(AddKnownPoints(*job, second, false));
    EXPECT_EQ(merge.added, 1);
    EXPECT_EQ(merge.same, 2);
    ASSERT_EQ(merge.conflicts.size(), 1u);
    EXPECT_EQ(merge.conflicts[0].name, QStringLiteral("K3"));
    EXPECT_EQ(Find("K3")->x, 2450.0) << "a conflict keeps the point as it was";
    EXPECT_EQ(Find("控制点二")->h, 12.5);
    EXPECT_EQ(Find("K1")->h, std::nullopt);

    merge = std::get<KnownPointMerge>(AddKnownPoints(*job, second, true));
    EXPECT_EQ(merge.replaced, 1);
    EXPECT_EQ(Find("K3")->x, 2450.001);
    EXPECT_EQ(std::get<std::vector<KnownPoint>>(AllKnownPoints(*job)).size(), 4u);
}

TEST_F(KnownPointsTest, AnEditUnderANameAlreadyTakenChangesNothing)
{
    const KnownPoint points[] = {Point("K1", 1, 1), Point("K2", 2, 2)};
    AddKnownPoints(*job, points, false);
    EXPECT_TRUE(ReplaceKnownPoint(*job, QStringLiteral("K1"), Point("K2", 5, 5)));
    EXPECT_EQ(Find("K1")->x, 1.0);
    EXPECT_EQ(Find("K2")->x, 2.0);
    EXPECT_EQ(ReplaceKnownPoint(*job, QStringLiteral("K1"), Point("K9", 9, 9)), std::nullopt);
    EXPECT_FALSE(Find("K1"));
    EXPECT_EQ(Find("K9")->x, 9.0);
    EXPECT_EQ(DeleteKnownPoints(*job, {QStringLiteral("K9"), QStringLiteral("'); DROP TABLE known_points;--")}), std::nullopt);
    EXPECT_EQ(std::get<std::vector<KnownPoint>>(AllKnownPoints(*job)).size(), 1u);
}

TEST(JobUpgrade, AJobOfTheFirstVersionGainsTheKnownPointsAndKeepsItsCalculations)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.cvjob"));
    const CalculationOutcome o = Outcome(testing::WorkedFigure());
    {
        auto job = std::move(std::get<std::unique_ptr<JobFile>>(JobFile::Open(path)));
        ASSERT_EQ(job->Append({FixedTime(), o, {}, std::nullopt}), std::nullopt);
    }
    {
        // As the first version left it.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("downgrade"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* sql : {"DROP TABLE known_points", "ALTER TABLE calculations DROP COLUMN a_name",
                                "ALTER TABLE calculations DROP COLUMN b_name", "ALTER TABLE calculations DROP COLUMN c_name",
                                "PRAGMA user_version = 1"})
            ASSERT_TRUE(q.exec(QString::fromLatin1(sql))) << sql;
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("downgrade"));

    auto opened = JobFile::Open(path);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<JobFile>>(opened)) << std::get<JobProblem>(opened).message.toStdString();
    auto& job = *std::get<std::unique_ptr<JobFile>>(opened);
    int version = 0;
    job.ForEachRow(QStringLiteral("PRAGMA user_version"), {}, [&](const QSqlQuery& q) { return (version = q.value(0).toInt()), false; });
    EXPECT_EQ(version, kJobSchemaVersion);
    const KnownPoint k[] = {Point("K1", 1, 2)};
    EXPECT_EQ(std::get<KnownPointMerge>(AddKnownPoints(job, k, false)).added, 1);
    CalculationOutcome picked = o;
    picked.knownPoints = {"K1", "", "K3"};
    ASSERT_EQ(job.Append({FixedTime(), picked, {}, std::nullopt}), std::nullopt);
    const auto first = std::get<std::optional<StoredCalculation>>(job.Calculation(1));
    const auto second = std::get<std::optional<StoredCalculation>>(job.Calculation(2));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->inputs.Xa, 2500.0);
    int names = 0;
    job.ForEachRow(QStringLiteral("SELECT id FROM calculations WHERE a_name = 'K1' AND b_name IS NULL AND c_name = 'K3'"), {},
                   [&](const QSqlQuery&) { return ++names, true; });
    EXPECT_EQ(names, 1);
}

}  // namespace
}  // namespace corvanet
