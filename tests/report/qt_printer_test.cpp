// The report on paper: face, tab columns, the wrap of a passed tab, the page,
// and the worked figure read back from a PDF.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTemporaryDir>

#include "report/print_report.h"
#include "report/qt_report_printer.h"
#include "tests/report/qt_test_support.h"
#include "report/report_pdf.h"
#include "tests/report/report_test_support.h"

namespace corvanet {
namespace {

using PaintedRun = QtReportPrinter::Run;
using testing::ReportPage;
using testing::PdfText;
using testing::WorkedRecord;

class PaperLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        printer = ReportPage(dir.filePath(QStringLiteral("layout.pdf")));
        reportPrinter = std::make_unique<QtReportPrinter>(*printer, QStringLiteral("PDF"));
        PrintReport(WorkedRecord(), *reportPrinter);
    }

    const std::vector<PaintedRun>& Runs() const { return reportPrinter->Runs(); }

    std::size_t IndexOf(const QString& text) const
    {
        for (std::size_t i = 0; i < Runs().size(); ++i)
            if (Runs()[i].text == text) return i;
        ADD_FAILURE() << "no run " << text.toStdString();
        return 0;
    }
    const PaintedRun& RunOf(const QString& text) const { return Runs()[IndexOf(text)]; }

    QFontMetricsF Metrics(const QFont& font) const { return QFontMetricsF(font, printer.get()); }
    double Advance(const PaintedRun& run) const { return Metrics(run.font).horizontalAdvance(run.text); }
    double Twips(double pixels) const { return pixels * 1440.0 / printer->logicalDpiX(); }

    QTemporaryDir dir;
    std::unique_ptr<QPdfWriter> printer;
    std::unique_ptr<QtReportPrinter> reportPrinter;
};

TEST_F(PaperLayoutTest, SongFaceIsASongFaceWithHalfWidthColumns)
{
    const PaintedRun& heading = RunOf(QStringLiteral("Corvanet"));
    EXPECT_EQ(heading.font.family(), QStringLiteral("宋体"));
    EXPECT_EQ(heading.font.pointSizeF(), 12.0);
    EXPECT_EQ(QFontInfo(heading.font).family(), QStringLiteral("AR PL UMing CN"));
    // A full-width average would double every tab column and push the Y
    // column off the page.
    EXPECT_NEAR(Twips(Metrics(heading.font).averageCharWidth()), 120.0, 6.0);
    const PaintedRun& body = RunOf(QStringLiteral("平差结果 :"));
    EXPECT_EQ(body.font.pointSizeF(), 10.0);
    EXPECT_NEAR(Twips(Metrics(body.font).averageCharWidth()), 100.8, 5.0);
}

TEST_F(PaperLayoutTest, HeadingAtItsTabOnTheFirstLine)
{
    const PaintedRun& heading = RunOf(QStringLiteral("Corvanet"));
    const QFontMetricsF metrics = Metrics(heading.font);
    EXPECT_DOUBLE_EQ(heading.baseline.x(), 29 * metrics.averageCharWidth());
    EXPECT_DOUBLE_EQ(heading.baseline.y(), 1000.0 * printer->logicalDpiY() / 1440.0 + metrics.ascent());
}

TEST_F(PaperLayoutTest, PassedTabContinuesAtItsColumnOneLineLower)
{
    const PaintedRun& label = RunOf(QStringLiteral("起始点 A 座标 :  xa="));
    const PaintedRun& y = RunOf(QStringLiteral("ya="));
    const QFontMetricsF metrics = Metrics(label.font);
    EXPECT_DOUBLE_EQ(label.baseline.x(), 23 * metrics.averageCharWidth());
    EXPECT_DOUBLE_EQ(y.baseline.x(), 39 * metrics.averageCharWidth());
    EXPECT_DOUBLE_EQ(y.baseline.y(), label.baseline.y() + metrics.height());

    const PaintedRun& adjusted = RunOf(QStringLiteral("s1 = "));
    EXPECT_DOUBLE_EQ(adjusted.baseline.x(), 39 * metrics.averageCharWidth());
    EXPECT_DOUBLE_EQ(adjusted.baseline.y(), RunOf(QStringLiteral("第 1 条观测边 : s1=")).baseline.y() + metrics.height());
}

TEST_F(PaperLayoutTest, FortyBlanksAfterTheXValueStayOnTheLine)
{
    const std::size_t label = IndexOf(QStringLiteral("起始点 B 座标 :  xb="));
    const PaintedRun& x = Runs()[label + 1];
    const PaintedRun& yLabel = Runs()[label + 2];
    ASSERT_EQ(x.text, QStringLiteral("3000.000"));
    ASSERT_EQ(yLabel.text, QStringLiteral("yb="));
    EXPECT_DOUBLE_EQ(yLabel.baseline.y(), x.baseline.y());
    EXPECT_NEAR(yLabel.baseline.x(),
                x.baseline.x() + Advance(x) + 40 * Metrics(x.font).horizontalAdvance(QLatin1Char(' ')), 1e-6);
}

TEST_F(PaperLayoutTest, EveryLineOnOnePageNothingClipped)
{
    const QRectF page(0, 0, printer->width(), printer->height());
    double lastBaseline = 0;
    for (const PaintedRun& run : Runs()) {
        EXPECT_EQ(run.page, 0) << run.text.toStdString();
        const QRectF box = Metrics(run.font).boundingRect(run.text).translated(run.baseline);
        EXPECT_TRUE(page.contains(box)) << run.text.toStdString();
        EXPECT_GE(run.baseline.y(), lastBaseline) << "lines go down the page";
        lastBaseline = run.baseline.y();
    }
}

TEST(ReportPdf, WorkedFigureReadsBackFromThePdf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("worked.pdf"));
    std::string error;
    ASSERT_TRUE(WriteReportPdf(WorkedRecord(), path.toStdString(), &error)) << error;
    const QString text = PdfText(path);
    for (const char* expected : {"Corvanet", "xp1=2600.004", "1/px=0.98195", "ms=3.32 毫米", "1/m=1/ 100162",
                                 "平差改正后边长 (米) :", "待定点-- P1 --", "w=-2.76 (秒)"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

TEST(ReportPdf, UnwritableFileSaysWhichAndWritesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no-such-folder/report.pdf"));
    std::string error;
    EXPECT_FALSE(WriteReportPdf(WorkedRecord(), path.toStdString(), &error));
    EXPECT_NE(error.find(path.toStdString()), std::string::npos) << error;
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace corvanet
