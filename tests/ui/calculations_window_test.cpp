// The 计算记录 window over real job files: the rows and their texts, the
// filter by the start of the name (through its index, literal whatever the
// name holds), the sort by a header, the buttons and what they send, the
// delete with its question, Refresh, and rows read in blocks.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <ctime>

#include "engine/failure.h"
#include "tests/store/job_test_support.h"
#include "tests/ui/screenshots.h"
#include "ui/calculations_model.h"
#include "ui/calculations_window.h"

namespace corvanet {
namespace {

using testing::FixedTime;
using testing::Held;
using testing::Outcome;
using M = CalculationsModel;

class ScriptedRecordDialogs final : public RecordDialogs {
public:
    explicit ScriptedRecordDialogs(bool answer) : answer_(answer) {}
    bool ConfirmDelete(int count) override
    {
        asked.push_back(count);
        return answer_;
    }
    void ShowProblem(const QString& message) override { problems.push_back(message); }

    std::vector<int> asked;
    std::vector<QString> problems;

private:
    bool answer_;
};

// Local time as a surveyor in China reads it, whatever the machine's zone.
class ChinaTime {
public:
    ChinaTime() : had_(qEnvironmentVariableIsSet("TZ")), old_(qgetenv("TZ"))
    {
        qputenv("TZ", "Asia/Shanghai");
        tzset();
    }
    ~ChinaTime()
    {
        if (had_) qputenv("TZ", old_);
        else qunsetenv("TZ");
        tzset();
    }

private:
    bool had_;
    QByteArray old_;
};

SurveyRecord Worked(double s1 = 509.905)
{
    return testing::Figure(2500, 2600, 3000, 3000, 2450, 3550, s1, 412.308, 474.345);
}
// S1 and S2 too short for a triangle ABP: stops in the adjustment, before the coefficients.
SurveyRecord NoTriangle() { return testing::Figure(2500, 2600, 3000, 3000, 2450, 3550, 1, 1, 474.345); }

class CalculationsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Open(); }

    void Open(JobOptions options = {})
    {
        job_.reset();
        auto opened = JobFile::Open(dir_.filePath(QStringLiteral("day.cvjob")), options);
        ASSERT_TRUE(Held(opened)) << std::get<JobProblem>(opened).message.toStdString();
        job_ = std::move(std::get<std::unique_ptr<JobFile>>(opened));
    }

    void Add(const SurveyRecord& figure, const std::string& name, QDateTime at = FixedTime())
    {
        const CalculationOutcome outcome = Outcome(figure, name);
        const MeterPrecision meter{2, 2};
        ASSERT_EQ(job_->Append(CalculationEntry{at, outcome, meter, TestMisclosure(outcome, meter)}), std::nullopt);
    }

    void Sql(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(job_->connectionName(), false));
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    }

    std::unique_ptr<CalculationsWindow> Window(bool confirm = true)
    {
        auto dialogs = std::make_unique<ScriptedRecordDialogs>(confirm);
        dialogs_ = dialogs.get();
        return std::make_unique<CalculationsWindow>(*job_, std::move(dialogs));
    }

    static QString Cell(const CalculationsWindow& w, int row, int column)
    {
        return w.model().data(w.model().index(row, column)).toString();
    }
    static QStringList Names(const CalculationsWindow& w)
    {
        QStringList names;
        for (int row = 0; row < w.model().rowCount(); ++row) names << Cell(w, row, M::PointName);
        return names;
    }
    static void Select(CalculationsWindow& w, std::initializer_list<int> rows)
    {
        QItemSelection selection;
        for (int row : rows) selection.select(w.model().index(row, 0), w.model().index(row, M::ColumnCount - 1));
        w.view().selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    static void ClickHeader(CalculationsWindow& w, int section)
    {
        QHeaderView* header = w.view().horizontalHeader();
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir dir_;
    std::unique_ptr<JobFile> job_;
    ScriptedRecordDialogs* dialogs_ = nullptr;
};

TEST_F(CalculationsWindowTest, ShowsTheNewestFirstWithTheBoxesTextsAndTheLocalTime)
{
    const ChinaTime china;
    Add(Worked(), "P1");
    Add(Worked(510.005), "P2", FixedTime().addSecs(60));  // a 10 cm blunder in S1: beyond the limit
    Add(NoTriangle(), "P3", FixedTime().addSecs(120));
    const auto w = Window();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("计算记录 — day.cvjob"));
    ASSERT_EQ(w->model().rowCount(), 3);
    EXPECT_EQ(Names(*w), (QStringList{"P3", "P2", "P1"}));

    // The worked figure: P of the route the precision took, as the window's boxes round it.
    const QStringList complete{"2025-12-06 13:46:40", "P1", "2600.004", "3100.000", "4.12", "1/100162",
                               "-2.76",               "±4.91", "合格",     "完成"};
    for (int c = 0; c < M::ColumnCount; ++c) EXPECT_EQ(Cell(*w, 2, c), complete[c]) << "column " << c;
    EXPECT_EQ(Cell(*w, 1, M::W), QStringLiteral("-52.84"));
    EXPECT_EQ(Cell(*w, 1, M::Verdict), QStringLiteral("超限"));
    EXPECT_EQ(w->model().data(w->model().index(1, M::Verdict), Qt::ForegroundRole).value<QBrush>().color(),
              QColor(Qt::red));
    EXPECT_EQ(w->model().data(w->model().index(2, M::Xp), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));

    // Stopped before P and before the test: those cells are empty, and the
    // result names the step in the user's words, the whole message in its tooltip.
    const CalculationOutcome stopped = Outcome(NoTriangle(), "P3");
    ASSERT_TRUE(stopped.failure);
    EXPECT_EQ(Cell(*w, 0, M::Time), QStringLiteral("2025-12-06 13:48:40"));
    for (int c : {M::Xp, M::Yp, M::Md, M::M, M::Limit, M::Verdict}) EXPECT_EQ(Cell(*w, 0, c), QString()) << c;
    EXPECT_EQ(Cell(*w, 0, M::Result), QStringLiteral("停止：") + QString::fromUtf8(StepText(stopped.failure->step())));
    EXPECT_EQ(w->model().data(w->model().index(0, M::Result), Qt::ToolTipRole).toString(),
              QString::fromStdString(stopped.failure->message()));
}

TEST_F(CalculationsWindowTest, AStepThisProgramDoesNotKnowShowsTheStoredMessage)
{
    Add(NoTriangle(), "P1");
    Sql(QStringLiteral("UPDATE calculations SET failure_step = 'later.step', message = '新的一步：无法计算'"));
    const auto w = Window();
    EXPECT_EQ(Cell(*w, 0, M::Result), QStringLiteral("停止：新的一步：无法计算"));
}

TEST_F(CalculationsWindowTest, FiltersByTheStartOfTheNameTakingEveryCharacterLiterally)
{
    for (const char* name : {"A1", "A2", "AB", "B1", "a%b", "axb", "a_b", "a*b", "a?b", "a'b", "a[b", "a"})
        Add(Worked(), name);
    const auto w = Window();
    const auto filtered = [&](const char* prefix) {
        w->filterEdit().clear();
        QTest::keyClicks(&w->filterEdit(), QString::fromUtf8(prefix));
        return Names(*w);
    };
    EXPECT_EQ(filtered("A"), (QStringList{"AB", "A2", "A1"}));
    EXPECT_EQ(filtered("A1"), (QStringList{"A1"}));
    EXPECT_EQ(filtered("a%"), (QStringList{"a%b"}));
    EXPECT_EQ(filtered("a_"), (QStringList{"a_b"}));
    EXPECT_EQ(filtered("a*"), (QStringList{"a*b"}));
    EXPECT_EQ(filtered("a?"), (QStringList{"a?b"}));
    EXPECT_EQ(filtered("a'"), (QStringList{"a'b"}));
    EXPECT_EQ(filtered("a["), (QStringList{"a[b"}));
    EXPECT_EQ(filtered("a").size(), 8);
    EXPECT_EQ(filtered("C"), QStringList{});
    w->filterEdit().clear();
    EXPECT_EQ(w->model().rowCount(), 12);
}

TEST_F(CalculationsWindowTest, TheFilterReadsThroughTheIndexOfNamesInEveryOrderWithoutSortingNewestFirst)
{
    Add(Worked(), "A1");
    const auto w = Window();
    w->model().SetFilter(QStringLiteral("A"));
    for (int column = 0; column < M::ColumnCount; ++column)
        for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            w->model().sort(column, order);
            QSqlQuery plan(QSqlDatabase::database(job_->connectionName(), false));
            ASSERT_TRUE(plan.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + w->model().Sql()));
            const QVariantList values = w->model().BoundValues();
            for (int i = 0; i < values.size(); ++i) plan.bindValue(i, values[i]);
            ASSERT_TRUE(plan.exec()) << plan.lastError().text().toStdString();
            QString details;
            while (plan.next()) details += plan.value(3).toString() + QLatin1Char('\n');
            EXPECT_TRUE(details.contains(QRegularExpression(
                QStringLiteral(R"(USING (COVERING )?INDEX calculations_point_name \(point_name>\? AND point_name<\?\))"))))
                << "column " << column << ":\n" << details.toStdString();
            // Newest first and by name, the first rows come without sorting every match.
            if (column == M::Time || column == M::PointName) {
                EXPECT_FALSE(details.contains(QStringLiteral("TEMP B-TREE"))) << "column " << column << ":\n" << details.toStdString();
            }
        }
}

TEST_F(CalculationsWindowTest, AHeaderSortsByQueryingAgainWithTheIdBreakingTies)
{
    Add(Worked(), "B");
    Add(NoTriangle(), "A");
    Add(Worked(510.005), "B");
    Add(Worked(), "C");
    const auto w = Window();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));

    ClickHeader(*w, M::PointName);
    EXPECT_EQ(w->model().sortColumn(), M::PointName);
    EXPECT_EQ(w->model().sortOrder(), Qt::AscendingOrder);
    EXPECT_EQ(Names(*w), (QStringList{"A", "B", "B", "C"}));
    EXPECT_EQ(Cell(*w, 1, M::Verdict), QStringLiteral("合格"));  // the older B first
    ClickHeader(*w, M::PointName);
    EXPECT_EQ(Names(*w), (QStringList{"C", "B", "B", "A"}));
    EXPECT_EQ(Cell(*w, 1, M::Verdict), QStringLiteral("超限"));

    // A figure column sorts by the number, not by its text; the one
    // without a value comes first going up.
    ClickHeader(*w, M::W);
    EXPECT_EQ(w->model().sortOrder(), Qt::AscendingOrder);
    EXPECT_EQ(Names(*w), (QStringList{"A", "B", "B", "C"}));
    EXPECT_EQ(Cell(*w, 1, M::W), QStringLiteral("-52.84"));

    // The filter stays with the new order.
    QTest::keyClicks(&w->filterEdit(), QStringLiteral("B"));
    ClickHeader(*w, M::Time);
    EXPECT_EQ(Names(*w), (QStringList{"B", "B"}));
    EXPECT_EQ(Cell(*w, 0, M::Verdict), QStringLiteral("合格"));
}

TEST_F(CalculationsWindowTest, TheButtonsFollowTheSelectionAndSendTheSelectedIds)
{
    for (const char* name : {"P1", "P2", "P3"}) Add(Worked(), name);
    const auto w = Window();
    std::vector<qint64> shown;
    std::vector<QList<qint64>> exported;
    QObject::connect(w.get(), &CalculationsWindow::showRequested, [&](qint64 id) { shown.push_back(id); });
    QObject::connect(w.get(), &CalculationsWindow::exportRequested, [&](QList<qint64> ids) { exported.push_back(ids); });

    const auto enabled = [&] {
        return std::vector<bool>{w->showButton().isEnabled(), w->exportButton().isEnabled(), w->deleteButton().isEnabled()};
    };
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false}));
    Select(*w, {1});
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true}));
    QTest::mouseClick(&w->showButton(), Qt::LeftButton);
    EXPECT_EQ(shown, (std::vector<qint64>{2}));

    Select(*w, {2, 0});
    EXPECT_EQ(enabled(), (std::vector<bool>{false, true, true}));
    QTest::mouseClick(&w->exportButton(), Qt::LeftButton);
    ASSERT_EQ(exported.size(), 1u);
    EXPECT_EQ(exported[0], (QList<qint64>{3, 1}));

    // A filter that leaves nothing selected turns them off again.
    QTest::keyClicks(&w->filterEdit(), QStringLiteral("X"));
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false}));
}

TEST_F(CalculationsWindowTest, DeleteAsksFirstAndKeepsTheFilterAndTheOrder)
{
    for (const char* name : {"A1", "A2", "A3", "B1"}) Add(Worked(), name);
    {
        const auto w = Window(false);
        Select(*w, {0});
        QTest::mouseClick(&w->deleteButton(), Qt::LeftButton);
        EXPECT_EQ(dialogs_->asked, std::vector<int>{1});
        EXPECT_EQ(w->model().rowCount(), 4);
    }
    const auto w = Window(true);
    QTest::keyClicks(&w->filterEdit(), QStringLiteral("A"));
    w->model().sort(M::PointName, Qt::AscendingOrder);
    Select(*w, {0, 2});
    QTest::mouseClick(&w->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs_->asked, std::vector<int>{2});
    EXPECT_TRUE(dialogs_->problems.empty());
    EXPECT_EQ(Names(*w), QStringList{"A2"});
    w->filterEdit().clear();
    EXPECT_EQ(Names(*w), (QStringList{"A2", "B1"}));
    EXPECT_EQ(DeleteQuestion(2), QStringLiteral("删除所选的 2 条计算记录？删除后无法恢复。"));
}

TEST_F(CalculationsWindowTest, ADeleteTheJobRefusesIsReportedAndDeletesNothing)
{
    Open({.busyTimeoutMs = 0});
    Add(Worked(), "P1");
    const auto w = Window(true);
    // Another program writing the job holds its lock.
    const QString other = QStringLiteral("other-writer");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), other);
        db.setDatabaseName(job_->path());
        ASSERT_TRUE(db.open());
        QSqlQuery lock(db);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        Select(*w, {0});
        QTest::mouseClick(&w->deleteButton(), Qt::LeftButton);
        ASSERT_EQ(dialogs_->problems.size(), 1u);
        EXPECT_TRUE(dialogs_->problems[0].contains(QStringLiteral("文件正被另一个程序锁定"))) << dialogs_->problems[0].toStdString();
        lock.exec(QStringLiteral("ROLLBACK"));
        db.close();
    }
    QSqlDatabase::removeDatabase(other);
    EXPECT_EQ(w->model().rowCount(), 1);
}

TEST_F(CalculationsWindowTest, RefreshShowsANewCalculationKeepingFilterOrderAndSelection)
{
    for (const char* name : {"A1", "A2", "B1"}) Add(Worked(), name);
    const auto w = Window();
    QTest::keyClicks(&w->filterEdit(), QStringLiteral("A"));
    w->model().sort(M::PointName, Qt::AscendingOrder);
    Select(*w, {1});
    Add(Worked(), "A0");
    Add(Worked(), "B0");
    w->Refresh();
    EXPECT_EQ(Names(*w), (QStringList{"A0", "A1", "A2"}));
    EXPECT_EQ(w->SelectedIds(), QList<qint64>{2});  // A2 still
    EXPECT_TRUE(w->showButton().isEnabled());
}

TEST_F(CalculationsWindowTest, ReadsALargeJobInBlocksAsItIsScrolled)
{
    Add(Worked(), "P0");
    // 19 999 copies of the first row in one statement, each named by its number.
    QStringList columns;
    for (const JobColumn& c : CalculationColumns()) columns << QLatin1String(c.name);
    QString copied = columns.join(u',');
    copied.replace(QStringLiteral("point_name"), QStringLiteral("'P' || n.i"));
    Sql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 19999) "
                       "INSERT INTO calculations (%1) SELECT %2 FROM n, calculations WHERE calculations.id = 1")
            .arg(columns.join(u','), copied));

    const auto w = Window();
    const int first = w->model().rowCount();
    EXPECT_GT(first, 0);
    EXPECT_LT(first, 1000);
    EXPECT_TRUE(w->model().canFetchMore());
    EXPECT_EQ(Cell(*w, 0, M::PointName), QStringLiteral("P19999"));
    w->model().fetchMore();
    EXPECT_GT(w->model().rowCount(), first);
    EXPECT_LT(w->model().rowCount(), 20000);

    // Refresh reads back as far as was read, not the whole job.
    const int read = w->model().rowCount();
    w->Refresh();
    EXPECT_GE(w->model().rowCount(), read);
    EXPECT_LT(w->model().rowCount(), 20000);

    // Scrolling to the end reads on until the last row.
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    for (int i = 0; i < 200 && w->model().canFetchMore(); ++i) {
        w->view().scrollToBottom();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(w->model().rowCount(), 20000);
    EXPECT_EQ(Cell(*w, 19999, M::PointName), QStringLiteral("P0"));
}

TEST_F(CalculationsWindowTest, DeletesAndAppendsWhileRowsAreStillToBeRead)
{
    Add(Worked(), "P0");
    Sql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 999) "
                       "INSERT INTO calculations (point_name, outcome) SELECT 'P' || i, 'complete' FROM n"));
    const auto w = Window(true);
    ASSERT_TRUE(w->model().canFetchMore());
    Select(*w, {0, 1});
    QTest::mouseClick(&w->deleteButton(), Qt::LeftButton);
    EXPECT_TRUE(dialogs_->problems.empty()) << dialogs_->problems.front().toStdString();
    EXPECT_EQ(Cell(*w, 0, M::PointName), QStringLiteral("P997"));
    Add(Worked(), "Q1");
    w->Refresh();
    EXPECT_EQ(Cell(*w, 0, M::PointName), QStringLiteral("Q1"));
    EXPECT_TRUE(w->model().canFetchMore());
}

TEST_F(CalculationsWindowTest, LooksRightWithAJobOfThirtyRows)
{
    const ChinaTime china;
    for (int i = 0; i < 30; ++i) {
        const SurveyRecord figure = i % 7 == 3 ? NoTriangle() : Worked(i % 9 == 5 ? 510.005 : 509.905 + 0.001 * (i % 4 - 2));
        Add(figure, "P" + std::to_string(i + 1) + (i % 6 == 2 ? "（北侧）" : ""), FixedTime().addSecs(97 * i));
    }
    const auto w = Window();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    Select(*w, {2});
    // Every figure fits its column: nothing is cut to “…”.
    const QFontMetrics fm(w->view().font());
    for (int c = M::Xp; c <= M::Limit; ++c)
        for (int row = 0; row < w->model().rowCount(); ++row)
            EXPECT_LE(fm.horizontalAdvance(Cell(*w, row, c)) + 6, w->view().columnWidth(c)) << "column " << c;
    testing::KeepScreenshot(w->grab().toImage(), "calculations-window.png");
}

}  // namespace
}  // namespace corvanet
