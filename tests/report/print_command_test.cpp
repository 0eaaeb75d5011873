// The Print button in every state of the print system: silent when the
// printer takes the job; otherwise a message that names the printer and
// what is wrong, and the offer of the same report as a PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "report/print_command.h"
#include "report/print_system.h"
#include "tests/report/qt_test_support.h"
#include "tests/report/report_test_support.h"

namespace corvanet {
namespace {

using testing::PdfText;
using testing::WorkedRecord;
using State = PrinterQueue::State;

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

// A print system in the state the test gives it; a job it takes is kept as
// the file `keep`.
class ScriptedPrintSystem final : public PrintSystem {
public:
    PrinterQueue DefaultQueue() override
    {
        ++asked;
        return queue;
    }
    SentJob Send(const PrinterQueue& to, const QString& path, const QString& title) override
    {
        sentTo.push_back(to.name);
        titles.push_back(title);
        if (job.created) QFile::copy(path, keep);
        return job;
    }

    PrinterQueue queue;
    SentJob job{true, {}};
    QString keep;
    int asked = 0;
    std::vector<QString> sentTo;
    std::vector<QString> titles;
};

PrinterQueue Queue(State state, const char* name = "Office", const char* reason = "")
{
    PrinterQueue q;
    q.state = state;
    q.name = QString::fromUtf8(name);
    q.reason = QString::fromUtf8(reason);
    q.page = DefaultReportPage();
    return q;
}

class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        system.keep = InDir("sent.pdf");
    }
    QString InDir(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    bool DirIsEmpty() const { return QDir(dir.path()).isEmpty(); }
    void Print(const CalculationTrace& trace = {}) { RunPrintCommand(WorkedRecord(), trace, nullptr, dialogs, system); }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedPrintSystem system;
};

TEST_F(PrintCommandTest, ReadyPrinterTakesTheReportAndNothingIsAsked)
{
    system.queue = Queue(State::Ready);
    Print();
    EXPECT_TRUE(dialogs.offers.empty());
    EXPECT_EQ(dialogs.pathsAsked, 0);
    EXPECT_EQ(system.sentTo, std::vector<QString>{QStringLiteral("Office")});
    EXPECT_EQ(system.titles, std::vector<QString>{QStringLiteral("Corvanet 报表")});
    EXPECT_TRUE(PdfText(system.keep).contains(QStringLiteral("1/m=1/ 100162")));
}

TEST_F(PrintCommandTest, PageIsOnThePrintersOwnPaper)
{
    system.queue = Queue(State::Ready);
    system.queue.page = QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(6, 6, 6, 6),
                                    QPageLayout::Millimeter);
    Print();
    QFile sent(system.keep);
    ASSERT_TRUE(sent.open(QIODevice::ReadOnly));
    const QString pdf = QString::fromLatin1(sent.readAll());
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])")).match(pdf);
    ASSERT_TRUE(box.hasMatch());
    EXPECT_DOUBLE_EQ(box.captured(1).toDouble(), 612.0) << "Letter, 8.5 by 11 inches, not A4";
    EXPECT_DOUBLE_EQ(box.captured(2).toDouble(), 792.0);
}

struct StateCase {
    State state;
    const char* reason;
    std::vector<const char*> says;  // the message holds each of these
};

class EveryStateTest : public PrintCommandTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(EveryStateTest, SaysWhatIsWrongSendsNothingAndOffersThePdf)
{
    const StateCase& c = GetParam();
    system.queue = Queue(c.state, "Office", c.reason);
    system.queue.installed = {QStringLiteral("Office"), QStringLiteral("Plotter")};
    dialogs.takeOffer = true;
    dialogs.path = InDir("报表");
    Print();
    EXPECT_TRUE(system.sentTo.empty()) << "nothing goes to a printer that cannot take it";
    ASSERT_EQ(dialogs.offers.size(), 1u);
    const QString& why = dialogs.offers[0];
    for (const char* part : c.says) EXPECT_TRUE(why.contains(QString::fromUtf8(part))) << part << " in " << why.toStdString();
    EXPECT_TRUE(why.endsWith(QStringLiteral("。"))) << why.toStdString();
    for (const char halfWidth : {',', ':', '(', ')', '?'})
        EXPECT_FALSE(why.contains(QLatin1Char(halfWidth))) << "full-width punctuation: " << why.toStdString();
    EXPECT_TRUE(PdfText(InDir("报表.pdf")).contains(QStringLiteral("xp1=2600.004"))) << "the PDF is the report";
}

INSTANTIATE_TEST_SUITE_P(
    PrintSystem, EveryStateTest,
    ::testing::Values(
        StateCase{State::NoService, "No such file or directory", {"没有找到打印服务", "CUPS", "No such file", "报表没有打印"}},
        StateCase{State::NoPrinter, "", {"没有找到已安装的打印机", "报表没有打印"}},
        StateCase{State::NoDefault, "", {"没有设置默认打印机", "Office、Plotter", "报表没有打印"}},
        StateCase{State::Rejecting, "Rejecting Jobs", {"打印机“Office”", "不接受打印任务", "（Rejecting Jobs）", "报表没有打印"}},
        StateCase{State::Stopped, "Paused", {"打印机“Office”", "已暂停", "（Paused）", "报表没有打印"}},
        StateCase{State::Unreachable, "", {"无法连接打印机“Office”", "报表没有打印"}}));

TEST_F(PrintCommandTest, NoPrinterIsNotMistakenForNoDefault)
{
    system.queue = Queue(State::NoDefault);
    system.queue.installed = {QStringLiteral("Office")};
    Print();
    ASSERT_EQ(dialogs.offers.size(), 1u);
    EXPECT_FALSE(dialogs.offers[0].contains(QStringLiteral("没有找到已安装的打印机"))) << dialogs.offers[0].toStdString();
}

TEST_F(PrintCommandTest, JobThePrinterDidNotCreateIsSaidAndThePdfOffered)
{
    system.queue = Queue(State::Ready, "Office");
    system.job = {false, QStringLiteral("client-error-not-possible")};
    dialogs.takeOffer = true;
    dialogs.path = InDir("saved.pdf");
    Print();
    ASSERT_EQ(dialogs.offers.size(), 1u);
    EXPECT_EQ(dialogs.offers[0],
              QStringLiteral("打印机“Office”没有建立打印任务（client-error-not-possible），报表没有打印。"));
    EXPECT_TRUE(PdfText(InDir("saved.pdf")).contains(QStringLiteral("Corvanet")));
}

TEST_F(PrintCommandTest, OfferDeclinedWritesNothing)
{
    system.queue = Queue(State::Rejecting);
    Print();
    EXPECT_EQ(dialogs.offers.size(), 1u);
    EXPECT_EQ(dialogs.pathsAsked, 0);
    EXPECT_TRUE(DirIsEmpty());
}

TEST_F(PrintCommandTest, PdfThatCannotBeWrittenEitherIsReported)
{
    system.queue = Queue(State::NoPrinter);
    dialogs.takeOffer = true;
    dialogs.path = InDir("no-such-folder/report.pdf");
    Print();
    ASSERT_EQ(dialogs.pdfFailures.size(), 1u);
    EXPECT_TRUE(dialogs.pdfFailures[0].contains(dialogs.path)) << dialogs.pdfFailures[0].toStdString();
}

}  // namespace
}  // namespace corvanet
