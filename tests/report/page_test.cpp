// The page as a PDF reader measures it: line 44 and the tab columns where
// the layout puts them in twips, a long point name kept on the paper and
// carried over pages, and the page of a calculation that did not complete.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <iostream>

#include "report/print_report.h"
#include "report/qt_report_printer.h"
#include "report/report_pdf.h"
#include "tests/report/qt_test_support.h"
#include "tests/report/report_test_support.h"

namespace corvanet {
namespace {

using testing::PdfText;
using testing::WorkedRecord;

// One word as pdftotext -bbox gives it, in twips from the top-left of the page.
struct Word {
    double xMin, yMin, xMax, yMax;
    QString text;
};

std::vector<Word> Words(const QString& pdf)
{
    const QString xhtml = PdfText(pdf, {QStringLiteral("-bbox")});
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re"));
    std::vector<Word> words;
    for (auto it = word.globalMatch(xhtml); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(1).toDouble() * 20, m.captured(2).toDouble() * 20, m.captured(3).toDouble() * 20,
                         m.captured(4).toDouble() * 20, m.captured(5)});
    }
    return words;
}

const Word* Find(const std::vector<Word>& words, const QString& text)
{
    for (const Word& w : words)
        if (w.text == text) return &w;
    ADD_FAILURE() << "no word " << text.toStdString();
    return nullptr;
}

// The Song face's own proportions, read at a size where no rounding to
// whole pixels matters: ascent and descent per em.
struct FaceProportions {
    double ascent, descent, average;
};
FaceProportions SongFace()
{
    QRawFont raw = QRawFont::fromFont(QFont(QStringLiteral("AR PL UMing CN")));
    const double em = 10000;
    raw.setPixelSize(em);
    return {raw.ascent() / em, raw.descent() / em, raw.averageCharWidth() / em};
}

constexpr double kMarginTwips = 200;  // the PDF's 10-point margins
constexpr double kTolerance = 10;     // twips

class Page : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Write(const SurveyRecord& record, const CalculationTrace& trace, const char* name)
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        std::string error;
        EXPECT_TRUE(WriteReportPdf(record, trace, std::nullopt, path.toStdString(), &error)) << error;
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(Page, LineFortyFourAndTheTabColumnsWithinTenTwipsOfTheLayout)
{
    const std::vector<Word> words = Words(Write(WorkedRecord(), {}, "worked.pdf"));
    const FaceProportions face = SongFace();
    ASSERT_NEAR(face.average, 0.5, 1e-3) << "a half-width Song face";
    const double line12 = (face.ascent + face.descent) * 12 * 20;
    const double line10 = (face.ascent + face.descent) * 10 * 20;
    const double column10 = face.average * 10 * 20;
    const double column12 = face.average * 12 * 20;

    // A word's box ends at the font's descent below its baseline, so the
    // bottom of line 44 lies 1000 twips + 3 lines at 12 points + 41 lines
    // at 10 points below the corner of the printable area, and four rows
    // more: lines 6 and 12 to 14 continue their passed tabs one row lower.
    const Word* last = Find(words, QStringLiteral("相对已知点相对中误差"));
    ASSERT_NE(last, nullptr);
    EXPECT_NEAR(last->yMax, kMarginTwips + 1000 + 3 * line12 + (41 + 4) * line10, kTolerance);
    EXPECT_NEAR(last->xMin, kMarginTwips + 23 * column10, kTolerance) << "tab 24";

    const Word* heading = Find(words, QStringLiteral("Corvanet"));
    ASSERT_NE(heading, nullptr);
    EXPECT_NEAR(heading->xMin, kMarginTwips + 29 * column12, kTolerance) << "tab 30 at 12 points";
    EXPECT_NEAR(heading->yMax, kMarginTwips + 1000 + line12, kTolerance);
    const Word* y = Find(words, QStringLiteral("ya=2600.000"));
    ASSERT_NE(y, nullptr);
    EXPECT_NEAR(y->xMin, kMarginTwips + 39 * column10, kTolerance) << "tab 40";
    const Word* xp1 = Find(words, QStringLiteral("xp1=2600.004"));
    ASSERT_NE(xp1, nullptr);
    EXPECT_NEAR(xp1->xMin, kMarginTwips + 31 * column10, kTolerance) << "tab 32";
    const Word* name = Find(words, QStringLiteral("待定点"));
    ASSERT_NE(name, nullptr);
    EXPECT_NEAR(name->xMin, kMarginTwips + 38 * column10, kTolerance) << "tab 39";
}

TEST_F(Page, FontsAtTheirExactPointSizes)
{
    QTemporaryDir scratch;
    auto writer = testing::ReportPage(scratch.filePath(QStringLiteral("sizes.pdf")));
    QtReportPrinter printer(*writer, QStringLiteral("PDF"));
    PrintReport(WorkedRecord(), printer);
    for (const auto& run : printer.Runs()) {
        const double points = QFontInfo(QFont(run.font, writer.get())).pixelSize() * 72.0 / kPageDpi;
        EXPECT_TRUE(points == 10.0 || points == 12.0) << run.text.toStdString() << " at " << points << " pt";
    }
}

SurveyRecord WithName(std::string name)
{
    SurveyRecord r = WorkedRecord();
    r.PointName = std::move(name);
    return r;
}

TEST_F(Page, FortyCharacterNameContinuesOnTheNextLineInsideThePaper)
{
    std::string name;
    for (int i = 0; i < 4; ++i) name += "东山西岭南坡北沟中桥";
    const QString path = Write(WithName(name), {}, "long-name.pdf");
    const double paperRight = 595 * 20 - kMarginTwips;
    const std::vector<Word> words = Words(path);
    for (const Word& w : words) EXPECT_LE(w.xMax, paperRight + kTolerance) << w.text.toStdString();
    // Both name lines come out whole, each over two rows.
    const QString all = PdfText(path, {QStringLiteral("-raw")}).remove(QLatin1Char('\n')).remove(QLatin1Char(' '));
    const QString squeezed = QString::fromStdString(name);
    EXPECT_TRUE(all.contains(QStringLiteral("待定点--") + squeezed + QStringLiteral("--"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("待定点(") + squeezed + QStringLiteral(")"))) << all.toStdString();
    EXPECT_NE(Find(words, QStringLiteral("1/m=1/")), nullptr);
    std::cout << "page: " << path.toStdString() << "\n";
}

TEST_F(Page, NameLongerThanAPageContinuesOnTheFollowingPagesInsideThePaper)
{
    std::string name;
    for (int i = 0; name.size() < 12000; ++i) name += "东山" + std::to_string(i);
    const QString path = dir.filePath(QStringLiteral("longer-than-a-page.pdf"));
    auto writer = testing::ReportPage(path);
    QtReportPrinter printer(*writer, QStringLiteral("PDF"));
    PrintReport(WithName(name), printer);

    const std::vector<QtReportPrinter::Run>& runs = printer.Runs();
    QString firstNameLine;
    bool inName = false;
    for (const auto& run : runs) {
        const QFontMetricsF metrics(run.font, writer.get());
        EXPECT_LE(run.baseline.x() + metrics.horizontalAdvance(run.text), writer->width()) << run.text.toStdString();
        EXPECT_GE(run.baseline.y() - metrics.ascent(), 0);
        EXPECT_LE(run.baseline.y() + metrics.descent(), writer->height()) << "page " << run.page;
        if (run.text.startsWith(QStringLiteral("待定点-- "))) inName = true;
        if (run.text.startsWith(QStringLiteral("xp1="))) inName = false;
        if (inName) firstNameLine += run.text;
    }
    EXPECT_EQ(firstNameLine, QStringLiteral("待定点-- ") + QString::fromStdString(name) + QStringLiteral(" --"));
    const int lastPage = runs.back().page;
    EXPECT_GE(lastPage, 2) << "both name lines fill more than a page each";
    for (std::size_t i = 1; i < runs.size(); ++i) ASSERT_LE(runs[i].page - runs[i - 1].page, 1) << "no page left empty";

    // The file has the pages, the name going on from one to the next and
    // the report's last line on the last.
    printer.EndDocument();
    const auto page = [&path](int n) {
        return PdfText(path, {QStringLiteral("-raw"), QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"),
                              QString::number(n)});
    };
    EXPECT_TRUE(page(2).contains(QStringLiteral("东山"))) << page(2).toStdString();
    EXPECT_TRUE(page(lastPage + 1).contains(QStringLiteral("1/m=1/"))) << page(lastPage + 1).toStdString();
    EXPECT_EQ(PdfText(path, {QStringLiteral("-raw")}).count(QLatin1Char('\f')), lastPage + 1) << "no page after the last";
}

TEST_F(Page, StoppedCalculationCarriesTheNoteAndTheMarksOnThePage)
{
    // The worked figure's results under a second figure that stopped after w.
    SurveyRecord second = WorkedRecord();
    second.PointName = "P2";
    second.S3obs = 2000, second.S3 = 2000;
    const CalculationTrace trace =
        TraceOfWholeEntry({{"Text18", "-2.76秒"}}, CalculationFailure(Step::Coefficients, ArithmeticFault{Fault::DivisionByZero}));
    const QString path = Write(second, trace, "stopped.pdf");
    const QString text = PdfText(path);
    // The note is longer than the paper is wide: it continues on a second row.
    EXPECT_TRUE(QString(text).remove(QLatin1Char('\n')).contains(
        QStringLiteral("注意：最近一次计算没有完成，在“平差：条件方程系数 a1、a2、a3”一步中止：P 点落在直线 AB 或 BC 上（三角形的高为零），无法列出条件方程。")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("w=-2.76 (秒)\n"))) << "w is the stopped calculation's";
    for (const char* marked : {"k=0.00000400*", "xp1=2600.004*", "1/px=0.98195*", "ms=3.32 毫米*", "s3 = 2000.0000*"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(marked))) << marked << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("s3=2000.0000\n")));
    std::cout << "page: " << path.toStdString() << "\n";
}

TEST_F(Page, CompleteCalculationPageIsTodays)
{
    const CalculationTrace complete = TraceOfWholeEntry({}, std::nullopt);
    const QString withTrace = PdfText(Write(WorkedRecord(), complete, "complete.pdf"));
    EXPECT_EQ(withTrace, PdfText(Write(WorkedRecord(), {}, "no-trace.pdf")));
    EXPECT_FALSE(withTrace.contains(QLatin1Char('*')));
    EXPECT_FALSE(withTrace.contains(QStringLiteral("注意")));
}

}  // namespace
}  // namespace corvanet
