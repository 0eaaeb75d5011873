// The Print button: silent when the printer takes the report; when there is
// no printer or it fails, a message that offers the same report as a PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "report/print_command.h"
#include "tests/report/qt_test_support.h"
#include "tests/report/report_test_support.h"

namespace corvanet {
namespace {

using testing::PdfPrinter;
using testing::PdfText;
using testing::WorkedRecord;

class ScriptedDialogs final : public PrintCommandDialogs {
public:
    bool OfferPdf(QWidget*, const QString& why) override
    {
        offers.push_back(why);
        return takeOffer;
    }
    QString AskPdfPath(QWidget*) override
    {
        ++pathsAsked;
        return path;
    }
    void TellPdfFailed(QWidget*, const QString& why) override { pdfFailures.push_back(why); }

    bool takeOffer = false;
    QString path;
    std::vector<QString> offers;
    int pathsAsked = 0;
    std::vector<QString> pdfFailures;
};

PrinterSource NoPrinter()
{
    return [] { return std::unique_ptr<QPrinter>(); };
}

PrinterSource PrinterWritingTo(const QString& path)
{
    return [path] { return PdfPrinter(path); };
}

class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString InDir(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    bool DirIsEmpty() const { return QDir(dir.path()).isEmpty(); }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
};

TEST_F(PrintCommandTest, PrinterTakesTheReportAndNothingIsAsked)
{
    const QString printed = InDir("printer.pdf");
    RunPrintCommand(WorkedRecord(), nullptr, dialogs, PrinterWritingTo(printed));
    EXPECT_TRUE(dialogs.offers.empty());
    EXPECT_EQ(dialogs.pathsAsked, 0);
    EXPECT_TRUE(PdfText(printed).contains(QStringLiteral("1/m=1/ 100162")));
}

TEST_F(PrintCommandTest, NoPrinterSaysSoAndSavesThePdfWhenAsked)
{
    dialogs.takeOffer = true;
    dialogs.path = InDir("报表");
    RunPrintCommand(WorkedRecord(), nullptr, dialogs, NoPrinter());
    ASSERT_EQ(dialogs.offers.size(), 1u);
    EXPECT_TRUE(dialogs.offers[0].contains(QStringLiteral("没有找到已安装的打印机"))) << dialogs.offers[0].toStdString();
    EXPECT_EQ(dialogs.pathsAsked, 1);
    EXPECT_TRUE(dialogs.pdfFailures.empty());
    const QString text = PdfText(InDir("报表.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("xp1=2600.004"))) << text.toStdString();
}

TEST_F(PrintCommandTest, NoPrinterOfferDeclinedWritesNothing)
{
    RunPrintCommand(WorkedRecord(), nullptr, dialogs, NoPrinter());
    EXPECT_EQ(dialogs.offers.size(), 1u);
    EXPECT_EQ(dialogs.pathsAsked, 0);
    EXPECT_TRUE(DirIsEmpty());
}

TEST_F(PrintCommandTest, PrinterThatCannotStartSendsNothingAndOffersThePdf)
{
    const QString unreachable = InDir("offline/queue.pdf");
    dialogs.takeOffer = true;
    dialogs.path = InDir("saved.pdf");
    RunPrintCommand(WorkedRecord(), nullptr, dialogs, PrinterWritingTo(unreachable));
    ASSERT_EQ(dialogs.offers.size(), 1u);
    EXPECT_TRUE(dialogs.offers[0].contains(QStringLiteral("无法开始打印"))) << dialogs.offers[0].toStdString();
    EXPECT_TRUE(dialogs.offers[0].contains(QStringLiteral("报表没有打印")));
    EXPECT_FALSE(QFile::exists(unreachable));
    EXPECT_TRUE(PdfText(InDir("saved.pdf")).contains(QStringLiteral("Corvanet")));
}

TEST_F(PrintCommandTest, PdfThatCannotBeWrittenEitherIsReported)
{
    dialogs.takeOffer = true;
    dialogs.path = InDir("no-such-folder/report.pdf");
    RunPrintCommand(WorkedRecord(), nullptr, dialogs, NoPrinter());
    ASSERT_EQ(dialogs.pdfFailures.size(), 1u);
    EXPECT_TRUE(dialogs.pdfFailures[0].contains(dialogs.path)) << dialogs.pdfFailures[0].toStdString();
}

}  // namespace
}  // namespace corvanet
