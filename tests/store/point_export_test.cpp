// The points of a job exported to DAT and CSV files, read back from real
// files: which calculations, in which order, from which route, and what is
// left when the export cannot be made.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <sstream>

#include "engine/precision.h"
#include "store/point_export.h"
#include "tests/store/job_test_support.h"

namespace corvanet {
namespace {

using testing::Bits;
using testing::FileHash;
using testing::FixedTime;
using testing::Held;
using testing::Outcome;

std::vector<std::vector<std::string>> Lines(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    std::vector<std::vector<std::string>> lines;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.isEmpty()) continue;
        EXPECT_TRUE(line.endsWith('\r')) << "CRLF: " << line.toStdString();
        std::vector<std::string> fields;
        std::stringstream s(line.chopped(1).toStdString());
        for (std::string field; std::getline(s, field, ',');) fields.push_back(field);
        if (line.chopped(1).endsWith(',')) fields.emplace_back();
        lines.push_back(fields);
    }
    return lines;
}

// P where the precision was assessed, as the engine chose it.
std::pair<double, double> ReportedP(const SurveyRecord& r)
{
    switch (ChooseRoute(r.S1, r.S2, r.S3)) {
    case Route::A:
        return {r.xp1, r.yp1};
    case Route::B:
        return {r.xp2, r.yp2};
    case Route::C:
        break;
    }
    return {r.xp3, r.yp3};
}

class PointExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto opened = JobFile::Open(dir_.filePath(QStringLiteral("day.cvjob")));
        ASSERT_TRUE(Held(opened)) << std::get<JobProblem>(opened).message.toStdString();
        job_ = std::move(std::get<std::unique_ptr<JobFile>>(opened));
    }
    void Append(const std::vector<CalculationOutcome>& outcomes)
    {
        std::vector<CalculationEntry> entries;
        for (const CalculationOutcome& o : outcomes)
            entries.push_back({FixedTime(), o, MeterPrecision{}, TestMisclosure(o, MeterPrecision{})});
        ASSERT_EQ(job_->Append(entries), std::nullopt);
    }
    QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir_;
    std::unique_ptr<JobFile> job_;
};

TEST_F(PointExportTest, CompleteCalculationsOldestFirstFromTheReportedRoute)
{
    const CalculationOutcome worked = Outcome(testing::WorkedFigure(), "P1");
    const CalculationOutcome stopped = Outcome(testing::Figure(2500, 2600, 3000, 3000, 2450, 3550, 1, 1, 474.345), "P2");
    // P near A: the distance to C is the longest, and C's route is reported.
    const CalculationOutcome nearA =
        Outcome(testing::Figure(2500, 2600, 3000, 3000, 2450, 3550, 206.158, 492.443, 756.637), "测点3");
    ASSERT_TRUE(worked.Complete() && nearA.Complete());
    ASSERT_TRUE(stopped.failure);
    ASSERT_EQ(ChooseRoute(nearA.record.S1, nearA.record.S2, nearA.record.S3), Route::C);
    Append({worked, stopped, nearA});

    const auto csv = ExportPoints(*job_, Path("p.csv"), {PointFileFormat::Csv, PointEncoding::Gb18030, std::nullopt});
    ASSERT_EQ(std::get_if<long long>(&csv) ? std::get<long long>(csv) : -1, 2);
    const auto rows = Lines(Path("p.csv"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "\xEF\xBB\xBFname");
    const CalculationOutcome* expected[] = {&worked, &nearA};
    for (int i = 0; i < 2; ++i) {
        const std::vector<std::string>& row = rows[i + 1];
        const SurveyRecord& r = expected[i]->record;
        ASSERT_EQ(row.size(), 9u);
        EXPECT_EQ(row[0], r.PointName);
        const auto [x, y] = ReportedP(r);
        EXPECT_EQ(Bits(std::strtod(row[1].c_str(), nullptr)), Bits(x)) << row[1];
        EXPECT_EQ(Bits(std::strtod(row[2].c_str(), nullptr)), Bits(y)) << row[2];
        EXPECT_EQ(Bits(std::strtod(row[3].c_str(), nullptr)), Bits(double(r.md)));
        EXPECT_EQ(Bits(std::strtod(row[4].c_str(), nullptr)), Bits(double(r.m)));
        EXPECT_EQ(Bits(std::strtod(row[5].c_str(), nullptr)), Bits(double(r.w)));
        EXPECT_EQ(Bits(std::strtod(row[6].c_str(), nullptr)),
                  Bits(TestMisclosure(*expected[i], MeterPrecision{})->limit));
        EXPECT_EQ(row[7], "pass");
        EXPECT_EQ(row[8], JobTime(FixedTime()).toStdString());
    }

    const auto dat = ExportPoints(*job_, Path("p.dat"), {PointFileFormat::Dat, PointEncoding::Utf8, std::nullopt});
    ASSERT_TRUE(std::holds_alternative<long long>(dat));
    const auto lines = Lines(Path("p.dat"));
    ASSERT_EQ(lines.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        const auto [x, y] = ReportedP(expected[i]->record);
        ASSERT_EQ(lines[i].size(), 5u);
        EXPECT_EQ(lines[i][0], expected[i]->record.PointName);
        EXPECT_EQ(lines[i][1], "");
        EXPECT_NEAR(std::strtod(lines[i][2].c_str(), nullptr), y, 0.00005) << "Y first";
        EXPECT_NEAR(std::strtod(lines[i][3].c_str(), nullptr), x, 0.00005);
        EXPECT_EQ(lines[i][2].size() - lines[i][2].find('.'), 5u) << "four decimals: " << lines[i][2];
        EXPECT_EQ(lines[i][4], "");
    }
}

// More ids than one statement binds, out of order and repeated: each point
// once, the oldest first.
TEST_F(PointExportTest, ChosenCalculationsComeOnceInTheOrderOfTheirIds)
{
    std::vector<CalculationOutcome> outcomes;
    for (int i = 1; i <= 1300; ++i) outcomes.push_back(Outcome(testing::WorkedFigure(), "P" + std::to_string(i)));
    Append(outcomes);
    std::vector<qint64> ids;
    for (qint64 id = 1300; id >= 2; id -= 2) ids.push_back(id);
    ids.push_back(4);
    ids.push_back(99999);  // no such calculation
    const auto n = ExportPoints(*job_, Path("some.csv"), {PointFileFormat::Csv, PointEncoding::Utf8, ids});
    ASSERT_EQ(std::get_if<long long>(&n) ? std::get<long long>(n) : -1, 650);
    const auto rows = Lines(Path("some.csv"));
    ASSERT_EQ(rows.size(), 651u);
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i][0], "P" + std::to_string(2 * i));
    const auto none = ExportPoints(*job_, Path("none.csv"), {PointFileFormat::Csv, PointEncoding::Utf8, std::vector<qint64>{}});
    EXPECT_EQ(std::get<long long>(none), 0);
    EXPECT_EQ(Lines(Path("none.csv")).size(), 1u) << "the header alone";
}

TEST_F(PointExportTest, WhatCannotBeExportedLeavesTheEarlierFileAndSaysWhy)
{
    Append({Outcome(testing::WorkedFigure(), "P1"), Outcome(testing::WorkedFigure(), "A,B")});
    const QString dat = Path("p.dat");
    {
        QFile f(dat);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    const auto refused = ExportPoints(*job_, dat, {PointFileFormat::Dat, PointEncoding::Gb18030, std::nullopt});
    ASSERT_TRUE(std::holds_alternative<QString>(refused));
    const QString message = std::get<QString>(refused);
    EXPECT_TRUE(message.contains(QStringLiteral("p.dat")) && message.contains(QStringLiteral("第 2 号计算")) &&
                message.contains(QStringLiteral("A,B")))
        << message.toStdString();
    EXPECT_EQ(FileHash(dat), QCryptographicHash::hash("old", QCryptographicHash::Sha256));
    EXPECT_TRUE(QDir(dir_.path()).entryList({QStringLiteral(".corvanet-*")}, QDir::Files | QDir::Hidden).isEmpty())
        << "no temporary file is left";

    const auto missing = ExportPoints(*job_, Path("no/such/p.csv"), {PointFileFormat::Csv, PointEncoding::Gb18030, std::nullopt});
    ASSERT_TRUE(std::holds_alternative<QString>(missing));
    EXPECT_TRUE(std::get<QString>(missing).contains(QStringLiteral("文件夹不存在"))) << std::get<QString>(missing).toStdString();

    const QByteArray before = FileHash(job_->path());
    const auto itself = ExportPoints(*job_, job_->path(), {PointFileFormat::Csv, PointEncoding::Gb18030, std::nullopt});
    EXPECT_TRUE(std::holds_alternative<QString>(itself));
    EXPECT_EQ(FileHash(job_->path()), before) << "the job is never written over";
}

}  // namespace
}  // namespace corvanet
