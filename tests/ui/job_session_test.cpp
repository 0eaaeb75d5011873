// The window and its job: every calculation that ends recorded at once, a
// file that is not a job refused and left alone, a job that cannot be written
// said so with the result still shown, and a recorded calculation brought
// back exactly as it was shown.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <set>

#include "app/button_binding.h"
#include "app/job_session.h"
#include "app/window_menu.h"
#include "report/report_text.h"
#include "store/known_points.h"
#include "tests/store/job_test_support.h"
#include "tests/ui/scripted_menu_dialogs.h"
#include "tests/ui/screenshots.h"
#include "tests/ui/scripted_prompt.h"
#include "text/result_columns.h"
#include "ui/calculate_command.h"
#include "ui/calculations_model.h"
#include "ui/calculations_window.h"
#include "ui/known_points_window.h"
#include "ui/main_window.h"
#include "ui/sketch_window.h"

namespace corvanet {
namespace {

using testing::Answer;
using testing::FileHash;
using testing::ScriptedMenuDialogs;
using testing::ScriptedPrompt;

// What a person sees of a calculation: the boxes, the page, the copy.
struct Shown {
    std::map<std::string, std::string> boxes;
    std::string page;
    std::string copy;
    QImage window;  // as painted, stale marks and the verdict's colour included
    QImage sketch;
    bool operator==(const Shown&) const = default;
};

class JobWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        BindButtons(window);
        menu = WindowMenuOf(window);
        menu->UseDialogs(dialogs);
        session = &menu->job();
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    void Start(const QString& job)
    {
        session->OpenAfterFirstFrame(job);
        session->EnsureOpen();
    }
    CalculationEnding Calculate(std::vector<Answer> script)
    {
        ScriptedPrompt prompt(window, std::move(script));
        return Command1_Click(window.record(), window, prompt, window.trace(), window.memory());
    }
    Shown Now() const
    {
        Shown s;
        for (const std::string& name : testing::FieldNames())
            s.boxes[name] = window.fieldText(QString::fromStdString(name)).toStdString();
        s.page = ReportPlainText(const_cast<MainWindow&>(window).record(), window.trace(), window.misclosureTest());
        const SketchScene scene = SceneOf(window.memory(), window.trace(), window.meter());
        if (scene.outcome) s.copy = TabSeparatedResults(*scene.outcome, scene.test, scene.staleNote);
        auto& painted = const_cast<MainWindow&>(window);
        s.window = painted.grab().toImage();
        SketchWindow sketch(window, nullptr);
        sketch.resize(640, 480);
        s.sketch = sketch.grab().toImage();
        return s;
    }
    int Rows(const char* where = "1")
    {
        int n = 0;
        session->job()->ForEachRow(QStringLiteral("SELECT id FROM calculations WHERE %1").arg(QString::fromUtf8(where)), {},
                                   [&](const QSqlQuery&) { return ++n; });
        return n;
    }

    QTemporaryDir dir;
    MainWindow window;
    WindowMenu* menu = nullptr;
    JobSession* session = nullptr;
    ScriptedMenuDialogs dialogs;
};

std::vector<Answer> SecondEntry()
{
    return {"500", "", "400", "", "1000", "", "1000", "", "450", "", "1600", "", "Q7", "657.651", "", "403.110",
            "", "570.090", ""};
}

TEST_F(JobWindow, EveryCalculationThatEndsIsRecordedAtOnceAndACancelledOneIsNot)
{
    Start(Path("day.cvjob"));
    ASSERT_NE(session->job(), nullptr);
    EXPECT_EQ(menu->action(QStringLiteral("JobName"))->text(), QStringLiteral("作业：day.cvjob"));
    ASSERT_TRUE(Calculate(testing::WorkedEntry()).Complete());
    EXPECT_EQ(Rows(), 1);
    Calculate({"1", "", testing::kCancel});
    EXPECT_EQ(Rows(), 1);
    // Too short for a triangle ABP: stopped, and recorded as such.
    ASSERT_TRUE(Calculate({"2500", "", "2600", "", "3000", "", "3000", "", "2450", "", "3550", "", "P2", "1", "", "1", "",
                           "474.345", ""})
                    .Stopped());
    EXPECT_EQ(Rows("outcome = 'stopped' AND point_name = 'P2' AND w IS NULL"), 1);
    EXPECT_EQ(Rows(), 2);
    EXPECT_TRUE(dialogs.jobMessages.empty());
}

TEST_F(JobWindow, ShowBringsBackTheBoxesThePageAndTheCopyAsTheyWereAndEmptiesWhatAStoppedOneDidNotReach)
{
    Start(Path("day.cvjob"));
    ASSERT_TRUE(Calculate(testing::WorkedEntry()).Complete());
    const Shown worked = Now();
    ASSERT_TRUE(Calculate(SecondEntry()).Complete());
    ASSERT_NE(Now(), worked);
    session->Show(1);
    const Shown again = Now();
    testing::KeepScreenshot(worked.window, "job-computed-window.png");
    testing::KeepScreenshot(again.window, "job-shown-window.png");
    testing::KeepScreenshot(worked.sketch, "job-computed-sketch.png");
    testing::KeepScreenshot(again.sketch, "job-shown-sketch.png");
    EXPECT_EQ(again.boxes, worked.boxes);
    EXPECT_EQ(again.page, worked.page);
    EXPECT_EQ(again.copy, worked.copy);
    EXPECT_TRUE(again.window == worked.window) << "the window is painted differently";
    EXPECT_TRUE(again.sketch == worked.sketch) << "the sketch is drawn differently";
    EXPECT_EQ(Rows(), 2) << "showing is not a new calculation";
    EXPECT_TRUE(dialogs.jobMessages.empty()) << dialogs.jobMessages.front().toStdString();
    // The Up arrow offers the values shown.
    EXPECT_EQ(window.memory().accepted.at("请输入第一条观测边长 S1 :"), "509.905");

    ASSERT_TRUE(Calculate({"2500", "", "2600", "", "3000", "", "3000", "", "2450", "", "3550", "", "P2", "1", "", "1", "",
                           "474.345", ""})
                    .Stopped());
    const Shown stopped = Now();
    std::set<std::string> stale;
    for (const auto& [box, text] : stopped.boxes)
        if (window.trace().IsStale(box)) stale.insert(box);
    ASSERT_TRUE(stale.count("Text18"));
    session->Show(2);
    session->Show(3);
    // What the calculation wrote comes back; what it did not reach, and the
    // window still showed from before, is empty.
    for (const auto& [box, text] : Now().boxes) EXPECT_EQ(text, stale.count(box) ? "" : stopped.boxes.at(box)) << box;
    EXPECT_EQ(Now().copy, stopped.copy);
}

TEST_F(JobWindow, ShowUsesTheMeterTheCalculationWasTestedAgainst)
{
    Start(Path("day.cvjob"));
    window.SetMeter({5, 5});
    ASSERT_TRUE(Calculate(testing::WorkedEntry()).Complete());
    const Shown withFive = Now();
    window.SetMeter({1, 1});
    ASSERT_NE(Now(), withFive);
    session->Show(1);
    EXPECT_EQ(Now(), withFive);
    EXPECT_EQ(window.meter().a, 5.0);
}

TEST_F(JobWindow, AFileThatIsNotAJobIsLeftAsItWasAndTheWindowGoesOnWithTheDefaultJob)
{
    const QString notes = Path("notes.cvjob");
    {
        QFile f(notes);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("K1,2500,2600\n");
    }
    const QByteArray before = FileHash(notes);
    Start(notes);
    ASSERT_EQ(dialogs.jobMessages.size(), 1u);
    const QString message = dialogs.jobMessages.front();
    EXPECT_NE(message.indexOf(JobPathText(notes)), -1) << message.toStdString();
    EXPECT_NE(message.indexOf(QStringLiteral("不是 Corvanet 作业文件")), -1) << message.toStdString();
    EXPECT_NE(message.indexOf(QStringLiteral("默认作业")), -1) << message.toStdString();
    EXPECT_EQ(session->path(), JobSession::DefaultJobPath());
    ASSERT_TRUE(Calculate(testing::WorkedEntry()).Complete());
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(FileHash(notes), before);
}

TEST_F(JobWindow, ALockedJobLeavesTheResultShownAndSaysItWasNotRecorded)
{
    const QString path = Path("locked.cvjob");
    session->SetBusyTimeout(50);
    Start(path);
    ASSERT_NE(session->job(), nullptr);
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        other.setDatabaseName(path);
        ASSERT_TRUE(other.open());
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        ASSERT_TRUE(Calculate(testing::WorkedEntry()).Complete());
        hold.exec(QStringLiteral("ROLLBACK"));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    for (const auto& [box, text] : testing::kWorkedResults) EXPECT_EQ(window.fieldText(QString::fromStdString(box)).toStdString(), text);
    ASSERT_EQ(dialogs.jobMessages.size(), 1u);
    EXPECT_NE(dialogs.jobMessages.front().indexOf(QStringLiteral("结果已显示，但没有记入作业文件")), -1)
        << dialogs.jobMessages.front().toStdString();
    EXPECT_EQ(Rows(), 0);
}

TEST_F(JobWindow, NewAndOpenSwitchTheJobAndTheMenuNamesIt)
{
    Start(Path("first.cvjob"));
    dialogs.jobPath = Path("second");
    menu->action(QStringLiteral("NewJob"))->trigger();
    EXPECT_EQ(session->path(), Path("second.cvjob"));
    EXPECT_EQ(menu->action(QStringLiteral("JobName"))->text(), QStringLiteral("作业：second.cvjob"));
    EXPECT_EQ(menu->action(QStringLiteral("JobName"))->toolTip(), JobPathText(Path("second.cvjob")));
    // Opening a file that is not there makes nothing and keeps the job.
    dialogs.jobPath = Path("missing.cvjob");
    menu->action(QStringLiteral("OpenJob"))->trigger();
    EXPECT_EQ(session->path(), Path("second.cvjob"));
    EXPECT_FALSE(QFile::exists(Path("missing.cvjob")));
    ASSERT_EQ(dialogs.jobMessages.size(), 1u);
    EXPECT_NE(dialogs.jobMessages.front().indexOf(QStringLiteral("仍使用作业")), -1);
    dialogs.jobPath = Path("first.cvjob");
    menu->action(QStringLiteral("OpenJob"))->trigger();
    EXPECT_EQ(session->path(), Path("first.cvjob"));
}

// The worked figure with A, B and C picked by name: the Y prompts start with
// the point's Y, Enter takes it, and every box, the page and the job's row
// are those of the figure typed in full, besides the names.
TEST_F(JobWindow, KnownPointsPickedByNameGiveTheFigureTypedInFull)
{
    Start(Path("day.cvjob"));
    const KnownPoint points[] = {{QStringLiteral("K12"), 2500, 2600, std::nullopt, {}, QStringLiteral("entered"), {}},
                                 {QStringLiteral("中间点"), 3000, 3000, std::nullopt, {}, QStringLiteral("entered"), {}},
                                 {QStringLiteral("K14"), 2450, 3550, std::nullopt, {}, QStringLiteral("entered"), {}}};
    ASSERT_TRUE(std::holds_alternative<KnownPointMerge>(AddKnownPoints(*session->job(), points, false)));
    ASSERT_TRUE(Calculate(testing::WorkedEntry()).Complete());
    const Shown typed = Now();

    const std::string take = ScriptedPrompt::kTakePrefill;
    ScriptedPrompt prompt(window, {" K12 ", "", take, "", "中间点　", "", take, "", "K99", "K14", "", "3550", "", "P1",
                                   "509.905", "", "412.308", "", "474.345", ""});
    ASSERT_TRUE(Command1_Click(window.record(), window, prompt, window.trace(), window.memory()).Complete());
    EXPECT_TRUE(prompt.Finished());
    const Shown named = Now();
    EXPECT_EQ(named.boxes, typed.boxes);
    EXPECT_EQ(named.page, typed.page);
    EXPECT_EQ(named.copy, typed.copy);
    testing::KeepScreenshot(named.sketch, "job-named-sketch.png");

    // Blanks around a name do not count, the ideographic space among them, as in a file.
    // The Y prompt after a name starts with its Y; the names are offered at the X prompts.
    ASSERT_GE(prompt.lines.size(), 3u);
    EXPECT_EQ(prompt.lines[1].prefill, "2600");
    EXPECT_EQ(prompt.lines[0].completions, (std::vector<std::string>{"K12", "K14", "中间点"}));
    EXPECT_TRUE(prompt.lines[1].completions.empty()) << "Y takes no names";
    EXPECT_EQ(prompt.notes.front(), "K12：2500.000");
    ASSERT_EQ(prompt.warnings.size(), 1u);
    EXPECT_NE(prompt.warnings[0].find("没有名为“K99”的已知点"), std::string::npos) << prompt.warnings[0];

    // The job keeps the names: C's Y was typed, and equal, so C counts as K14.
    EXPECT_EQ(Rows("id = 2 AND a_name = 'K12' AND b_name = '中间点' AND c_name = 'K14'"), 1);
    EXPECT_EQ(Rows("id = 1 AND a_name IS NULL"), 1);
    // Shown again, the sketch names them as it did.
    session->Show(1);
    session->Show(2);
    EXPECT_TRUE(Now().sketch == named.sketch);
}

TEST_F(JobWindow, KeepingPAsAKnownPointAsksBeforeReplacingOneOfTheSameName)
{
    Start(Path("day.cvjob"));
    ASSERT_TRUE(Calculate(testing::WorkedEntry()).Complete());
    ASSERT_TRUE(Calculate({"2500", "", "2600", "", "3000", "", "3000", "", "2450", "", "3550", "", "P2", "1", "", "1", "",
                           "474.345", ""})
                    .Stopped());
    menu->action(QStringLiteral("CalculationRecords"))->trigger();
    CalculationsWindow* records = menu->recordsWindow();
    records->view().selectAll();
    records->keepAsKnownButton().click();
    ASSERT_EQ(dialogs.done.size(), 1u);
    EXPECT_EQ(dialogs.done[0], QStringLiteral("1 个点已存为已知点，0 个点已有且相同。\n1 条记录没有点：计算中止，或没有点名。"));
    const auto kept = std::get<std::optional<KnownPoint>>(FindKnownPoint(*session->job(), QStringLiteral("P1")));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->x, 2600.0039265632645);  // route A, the longest adjusted distance
    EXPECT_EQ(kept->source, QStringLiteral("computed"));

    // P1 again, elsewhere: kept as it was, unless the user says replace.
    ASSERT_TRUE(Calculate({"500", "", "400", "", "1000", "", "1000", "", "450", "", "1600", "", "P1", "657.651", "", "403.110",
                           "", "570.090", ""})
                    .Complete());
    records->view().selectRow(0);
    records->keepAsKnownButton().click();
    ASSERT_EQ(dialogs.replaceAsked.size(), 1u);
    EXPECT_NE(dialogs.replaceAsked[0].indexOf(QStringLiteral("P1：原有 X=2600.0039265632645")), -1)
        << dialogs.replaceAsked[0].toStdString();
    EXPECT_EQ(std::get<std::optional<KnownPoint>>(FindKnownPoint(*session->job(), QStringLiteral("P1")))->x, kept->x);
    menu->action(QStringLiteral("KnownPoints"))->trigger();
    ASSERT_NE(menu->knownPointsWindow(), nullptr);
    const int before = menu->knownPointsWindow()->findChild<QTableView*>()->model()->rowCount();
    dialogs.replace = true;
    records->keepAsKnownButton().click();
    EXPECT_EQ(menu->knownPointsWindow()->findChild<QTableView*>()->model()->rowCount(), before);
    EXPECT_NE(std::get<std::optional<KnownPoint>>(FindKnownPoint(*session->job(), QStringLiteral("P1")))->x, kept->x);
}

TEST_F(JobWindow, TheRecordsWindowShowsExportsAndFollowsNewCalculations)
{
    Start(Path("day.cvjob"));
    ASSERT_TRUE(Calculate(testing::WorkedEntry()).Complete());
    const Shown worked = Now();
    ASSERT_TRUE(Calculate(SecondEntry()).Complete());
    menu->action(QStringLiteral("CalculationRecords"))->trigger();
    CalculationsWindow* records = menu->recordsWindow();
    ASSERT_NE(records, nullptr);
    EXPECT_EQ(records->model().rowCount(), 2);
    // Newest first: the worked figure is the second row.
    records->view().selectRow(1);
    records->showButton().click();
    EXPECT_EQ(Now().boxes, worked.boxes);

    ASSERT_TRUE(Calculate(SecondEntry()).Complete());
    EXPECT_EQ(records->model().rowCount(), 3) << "a new calculation appears at once";

    dialogs.pointFile = PointFileChoice{Path("selected.dat"), PointFileFormat::Dat, PointEncoding::Utf8};
    records->view().selectRow(2);
    records->exportButton().click();
    QFile dat(Path("selected.dat"));
    ASSERT_TRUE(dat.open(QIODevice::ReadOnly));
    EXPECT_EQ(dat.readAll(), QByteArray("P1,,3100.0003,2600.0039,\r\n"));
    ASSERT_EQ(dialogs.done.size(), 1u);
    EXPECT_NE(dialogs.done.front().indexOf(QStringLiteral("已导出 1 个点")), -1);

    dialogs.pointFile = PointFileChoice{Path("all.csv"), PointFileFormat::Csv, PointEncoding::Gb18030};
    menu->action(QStringLiteral("ExportPoints"))->trigger();
    QFile csv(Path("all.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    EXPECT_TRUE(lines[0].startsWith("\xEF\xBB\xBFname,X,Y,md,m,w,limit,verdict,time"));
    EXPECT_EQ(lines.size(), 5) << "the header, three points and the last line's end";
    EXPECT_TRUE(lines[1].startsWith("P1,2600.0039265632645,3100.0002789279342,"));

    // Another job: the records window of the old one goes with it.
    dialogs.jobPath = Path("other");
    menu->action(QStringLiteral("NewJob"))->trigger();
    EXPECT_EQ(menu->recordsWindow(), nullptr);
}

}  // namespace
}  // namespace corvanet
