// The Print button in every state of the print system: silent when the
// printer takes the job; otherwise a message that names the printer and
// what is wrong, and the offer of the same report as a PDF.
#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

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
    void Print(const CalculationTrace& trace = {}) { RunPrintCommand(WorkedRecord(), trace, std::nullopt, nullptr, dialogs, system); }

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
        StateCase{State::NoService, "/run/cups/cups.sock", {"无法连接打印服务 CUPS（/run/cups/cups.sock）", "报表没有打印"}},
        StateCase{State::NoPrinter, "", {"没有找到已安装的打印机", "报表没有打印"}},
        StateCase{State::NoDefault, "", {"没有设置默认打印机", "Office、Plotter", "报表没有打印"}},
        StateCase{State::Rejecting, "Rejecting Jobs", {"打印机“Office”", "不接受打印任务", "（Rejecting Jobs）", "报表没有打印"}},
        StateCase{State::Stopped, "Paused", {"打印机“Office”", "已暂停", "（Paused）", "报表没有打印"}},
        StateCase{State::Unreachable, "", {"无法连接打印机“Office”", "报表没有打印"}}));

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

TEST_F(PrintCommandTest, PdfOnAFullDiskIsReportedNotTakenForSaved)
{
    system.queue = Queue(State::NoPrinter);
    dialogs.takeOffer = true;
    dialogs.path = InDir("full.pdf");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), dialogs.path));  // a disk with no room left
    Print();
    ASSERT_EQ(dialogs.pdfFailures.size(), 1u);
    EXPECT_TRUE(dialogs.pdfFailures[0].contains(QStringLiteral("无法写入（磁盘已满）")))
        << dialogs.pdfFailures[0].toStdString();
}

// A CUPS server of the test's own, on a socket in its own folder, with one
// queue that is the default and refuses jobs. Skipped where cupsd or the
// admin tools are missing or the server will not start (not root, say).
class RealRejectingQueue : public PrintCommandTest {
protected:
    void SetUp() override
    {
        PrintCommandTest::SetUp();
        const QString cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")});
        for (const char* tool : {"lpadmin", "cupsreject", "cupsaccept", "lpstat"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")}).isEmpty())
                GTEST_SKIP() << tool << " is not installed";
        if (cupsd.isEmpty()) GTEST_SKIP() << "cupsd is not installed";
        ASSERT_TRUE(server.isValid());
        socket = server.filePath(QStringLiteral("cups.sock"));
        for (const char* sub : {"spool", "tmp", "cache", "state", "log"}) QDir(server.path()).mkpath(QString::fromLatin1(sub));
        WriteFile("cupsd.conf", QStringLiteral("Listen %1\nBrowsing No\nDefaultPolicy open\n"
                                               "<Policy open>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n"
                                               "<Location />\nOrder allow,deny\nAllow all\n</Location>\n")
                                    .arg(socket));
        const QString d = server.path();
        WriteFile("cups-files.conf",
                  QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\n"
                                 "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                 "PageLog %1/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n")
                      .arg(d));
        cupsdProcess.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), d + QStringLiteral("/cupsd.conf"),
                                   QStringLiteral("-s"), d + QStringLiteral("/cups-files.conf")});
        if (!cupsdProcess.waitForStarted(5000)) GTEST_SKIP() << "cupsd did not start";
        for (int i = 0; i < 100 && !QFile::exists(socket); ++i) QThread::msleep(50);
        if (!QFile::exists(socket) || cupsdProcess.state() != QProcess::Running)
            GTEST_SKIP() << "cupsd would not run here: " << cupsdProcess.readAllStandardError().toStdString();
        // This process and the tools it runs talk to the test's server only.
        qputenv("CUPS_SERVER", socket.toLocal8Bit());
        cupsSetServer(nullptr);
        if (!Admin("lpadmin", {"-p", "TestQueue", "-v", "file:///dev/null", "-E"}) ||
            !Admin("lpadmin", {"-d", "TestQueue"}) || !Admin("cupsreject", {"-r", "维护中", "TestQueue"}))
            GTEST_SKIP() << "the test's server refused to set up its queue";
    }
    void TearDown() override
    {
        if (cupsdProcess.state() == QProcess::Running) {
            cupsdProcess.terminate();
            cupsdProcess.waitForFinished(5000);
        }
    }
    void WriteFile(const char* name, const QString& text)
    {
        QFile f(server.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    bool Admin(const char* tool, std::initializer_list<const char*> args, QByteArray* out = nullptr)
    {
        QStringList list;
        for (const char* a : args) list << QString::fromUtf8(a);
        QProcess p;
        p.start(QString::fromLatin1(tool), list);
        const bool ok = p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (out) *out = p.readAllStandardOutput();
        return ok;
    }

    QTemporaryDir server;
    QString socket;
    QProcess cupsdProcess;
};

TEST_F(RealRejectingQueue, SaysTheQueueRefusesJobsAndNoJobIsLeft)
{
    const std::unique_ptr<PrintSystem> cups = CupsPrintSystem();
    const PrinterQueue queue = cups->DefaultQueue();
    EXPECT_EQ(queue.state, State::Rejecting);
    dialogs.takeOffer = true;
    dialogs.path = InDir("saved.pdf");
    RunPrintCommand(WorkedRecord(), {}, std::nullopt, nullptr, dialogs, *cups);
    ASSERT_EQ(dialogs.offers.size(), 1u);
    EXPECT_EQ(dialogs.offers[0], QStringLiteral("打印机“TestQueue”现在不接受打印任务（维护中），报表没有打印。"));
    EXPECT_TRUE(PdfText(InDir("saved.pdf")).contains(QStringLiteral("xp1=2600.004")));
    QByteArray jobs;
    ASSERT_TRUE(Admin("lpstat", {"-W", "all", "-o"}, &jobs));
    EXPECT_TRUE(jobs.trimmed().isEmpty()) << jobs.toStdString();
}

TEST_F(RealRejectingQueue, OnceItAcceptsAgainTheReportBecomesOneJob)
{
    ASSERT_TRUE(Admin("cupsaccept", {"TestQueue"}));
    const std::unique_ptr<PrintSystem> cups = CupsPrintSystem();
    RunPrintCommand(WorkedRecord(), {}, std::nullopt, nullptr, dialogs, *cups);
    EXPECT_TRUE(dialogs.offers.empty()) << dialogs.offers[0].toStdString();
    QByteArray jobs;
    ASSERT_TRUE(Admin("lpstat", {"-W", "all", "-o"}, &jobs));
    EXPECT_EQ(jobs.count('\n'), 1) << jobs.toStdString();
    EXPECT_TRUE(jobs.startsWith("TestQueue-")) << jobs.toStdString();
}

}  // namespace
}  // namespace corvanet
