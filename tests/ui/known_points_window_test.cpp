// The 已知点 window over real job files: the table and its texts, the sort
// by a header, the filter by name, add, edit and delete with their checks
// and questions, import of a coordinate file with its report, conflicts kept
// or replaced, export to DAT and CSV read back, and the real dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>

#include "store/known_points.h"
#include "tests/store/job_test_support.h"
#include "tests/ui/screenshots.h"
#include "text/point_file.h"
#include "ui/known_point_dialogs.h"
#include "ui/known_point_model.h"
#include "ui/known_points_window.h"

namespace corvanet {
namespace {

using C = KnownPointModel;

// Answers the window's questions from a script and keeps what it was asked.
class ScriptedPointDialogs final : public KnownPointDialogs {
public:
    // Takes answers until one passes the check, as the dialog stays open
    // until then; none is a cancel.
    std::optional<PointTexts> AskPoint(const QString&, const PointTexts& start,
                                       const std::function<QString(const PointTexts&)>& check) override
    {
        starts.push_back(start);
        for (; !answers.empty(); answers.pop_front()) {
            if (!answers.front()) break;
            if (const QString problem = check(*answers.front()); !problem.isEmpty()) checks.push_back(problem);
            else return answers.front();
        }
        return std::nullopt;
    }
    bool ConfirmDelete(int count) override { return asked.push_back(count), confirm; }
    QString ChooseImportFile() override { return importPath; }
    bool ShowImportReport(const ImportReport& report) override { return reports.push_back(report), replace; }
    std::optional<ExportChoice> ChooseExport(int all, int selected) override
    {
        exportAsked.emplace_back(all, selected);
        return exportChoice;
    }
    void ShowProblem(const QString& message) override { problems.push_back(message); }

    std::deque<std::optional<PointTexts>> answers;
    std::vector<PointTexts> starts;
    std::vector<QString> checks, problems;
    std::vector<int> asked;
    bool confirm = true, replace = false;
    QString importPath;
    std::vector<ImportReport> reports;
    std::optional<ExportChoice> exportChoice;
    std::vector<std::pair<int, int>> exportAsked;
};

KnownPoint Point(const char* name, double x, double y, std::optional<double> h = {}, const char* code = "",
                 const char* source = "entered")
{
    return {QString::fromUtf8(name), x, y, h, QString::fromUtf8(code), QString::fromUtf8(source), {}};
}

PointTexts Texts(const char* name, const char* x, const char* y, const char* h = "", const char* code = "")
{
    const auto q = [](const char* s) { return QString::fromUtf8(s); };
    return {q(name), q(x), q(y), q(h), q(code)};
}

class KnownPointsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { job_ = OpenJob(QStringLiteral("site.cvjob")); }

    std::unique_ptr<JobFile> OpenJob(const QString& name)
    {
        auto opened = JobFile::Open(dir_.filePath(name));
        EXPECT_TRUE(testing::Held(opened));
        return testing::Held(opened) ? std::move(std::get<std::unique_ptr<JobFile>>(opened)) : nullptr;
    }
    void Seed(std::vector<KnownPoint> points)
    {
        ASSERT_TRUE(std::holds_alternative<KnownPointMerge>(AddKnownPoints(*job_, points, false)));
    }
    std::vector<KnownPoint> JobPoints(JobFile& job) const { return std::get<std::vector<KnownPoint>>(AllKnownPoints(job)); }
    std::optional<KnownPoint> JobPoint(const char* name) const
    {
        return std::get<std::optional<KnownPoint>>(FindKnownPoint(*job_, QString::fromUtf8(name)));
    }
    std::unique_ptr<KnownPointsWindow> Window()
    {
        auto dialogs = std::make_unique<ScriptedPointDialogs>();
        dialogs_ = dialogs.get();
        return std::make_unique<KnownPointsWindow>(*job_, std::move(dialogs));
    }

    static QString Cell(const KnownPointsWindow& w, int row, int column)
    {
        return w.rows().data(w.rows().index(row, column)).toString();
    }
    static QStringList Column(const KnownPointsWindow& w, int column = C::Name)
    {
        QStringList texts;
        for (int row = 0; row < w.rows().rowCount(); ++row) texts << Cell(w, row, column);
        return texts;
    }
    static void Select(KnownPointsWindow& w, std::initializer_list<const char*> names)
    {
        QItemSelection selection;
        for (int row = 0; row < w.rows().rowCount(); ++row)
            for (const char* name : names)
                if (Cell(w, row, C::Name) == QString::fromUtf8(name))
                    selection.select(w.rows().index(row, 0), w.rows().index(row, C::ColumnCount - 1));
        w.view().selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    static void ClickHeader(KnownPointsWindow& w, int section)
    {
        QHeaderView* header = w.view().horizontalHeader();
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    QString Write(const char* name, const QByteArray& bytes)
    {
        QFile f(dir_.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return f.fileName();
    }
    QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    QTemporaryDir dir_;
    std::unique_ptr<JobFile> job_;
    ScriptedPointDialogs* dialogs_ = nullptr;
};

TEST_F(KnownPointsWindowTest, ShowsEachPointWithThreeDecimalsAndWhereItCameFrom)
{
    Seed({Point("K1", 3000.0005, 5000.1234, 45.6785, "导线", "控制点.dat"), Point("P7", 2600.0039265, 3100.0002789),
          Point("C2", -0.0004, 1e7, std::nullopt, "", "computed"), Point("a\tb", 1, 2)});
    const auto w = Window();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("已知点 — site.cvjob"));
    QStringList headers;
    for (int c = 0; c < C::ColumnCount; ++c) headers << w->rows().headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"点名", "X", "Y", "H", "编码", "来源"}));

    ASSERT_EQ(Column(*w), (QStringList{"a\\tb", "C2", "K1", "P7"})) << "a tab in a name shown escaped, on one line";
    // The rule of the coordinate boxes: 15 significant digits, then halves away from zero.
    EXPECT_EQ(Column(*w, C::X), (QStringList{"1.000", "0.000", "3000.001", "2600.004"})) << "no sign on a zero shown";
    EXPECT_EQ(Column(*w, C::Y), (QStringList{"2.000", "10000000.000", "5000.123", "3100.000"}));
    EXPECT_EQ(Column(*w, C::H), (QStringList{"", "", "45.679", ""}));
    EXPECT_EQ(Column(*w, C::Code), (QStringList{"", "", "导线", ""}));
    EXPECT_EQ(Column(*w, C::Source), (QStringList{"输入", "计算", "控制点.dat", "输入"}));

    EXPECT_FALSE(w->editButton().isEnabled());
    EXPECT_FALSE(w->deleteButton().isEnabled());
    Select(*w, {"K1"});
    EXPECT_TRUE(w->editButton().isEnabled());
    Select(*w, {"K1", "P7"});
    EXPECT_FALSE(w->editButton().isEnabled());
    EXPECT_TRUE(w->deleteButton().isEnabled());

    w->show();
    testing::KeepScreenshot(w->grab().toImage(), "known-points-window.png");
}

TEST_F(KnownPointsWindowTest, HeadersSortNamesAsPeopleCountAndFiguresAsNumbers)
{
    Seed({Point("P10", 3, 30, 1.5), Point("P2", 10, 20), Point("p1", -1, 10, -2.0), Point("P1", 2, 5, 0.25),
          Point("测站", 1, 1)});
    const auto w = Window();
    // Chinese names first (the Chinese order of scripts); names that collate
    // alike by their code points.
    EXPECT_EQ(Column(*w), (QStringList{"测站", "P1", "p1", "P2", "P10"}));
    ClickHeader(*w, C::Name);
    EXPECT_EQ(Column(*w), (QStringList{"P10", "P2", "p1", "P1", "测站"}));
    ClickHeader(*w, C::X);
    EXPECT_EQ(Column(*w), (QStringList{"p1", "测站", "P1", "P10", "P2"})) << "-1 before 1, 3 before 10";
    ClickHeader(*w, C::H);
    EXPECT_EQ(Column(*w, C::H), (QStringList{"", "", "-2.000", "0.250", "1.500"})) << "no height first, going up";
    ClickHeader(*w, C::H);
    EXPECT_EQ(Column(*w, C::H), (QStringList{"1.500", "0.250", "-2.000", "", ""}));
}

TEST_F(KnownPointsWindowTest, FilterKeepsNamesContainingTheTextLiterallyInEitherCase)
{
    Seed({Point("GP12", 1, 1), Point("gp3", 1, 1), Point("K12", 1, 1), Point("A.B", 1, 1), Point("AxB", 1, 1),
          Point("控制12", 1, 1)});
    const auto w = Window();
    const auto filtered = [&](const char* text) {
        w->filterEdit().clear();
        QTest::keyClicks(&w->filterEdit(), QString::fromUtf8(text));
        return Column(*w);
    };
    EXPECT_EQ(filtered("12"), (QStringList{"控制12", "GP12", "K12"}));
    EXPECT_EQ(filtered("Gp"), (QStringList{"gp3", "GP12"}));
    EXPECT_EQ(filtered("A.B"), (QStringList{"A.B"})) << "a dot is a dot";
    EXPECT_EQ(filtered("Q"), QStringList{});
    w->filterEdit().setText(QStringLiteral("控制"));  // QTest types Latin-1 keys only
    EXPECT_EQ(Column(*w), (QStringList{"控制12"}));
    w->filterEdit().clear();
    EXPECT_EQ(w->rows().rowCount(), 6);
}

TEST_F(KnownPointsWindowTest, AddAsksAgainUntilThePointReadsAndKeepsItAsEntered)
{
    Seed({Point("K1", 1, 2)});
    const auto w = Window();
    QSignalSpy changed(w.get(), &KnownPointsWindow::pointsChanged);
    dialogs_->answers = {Texts("  ", "1", "2"),      Texts("K2", "3000,5", "2"), Texts("K2", "1", "1e400"),
                         Texts("K2", "1", "2", "高"), Texts("K1", "1", "2"),      Texts("a\nb", "1", "2"),
                         Texts(" K2 ", " 3000.25 ", "5000.5", "", " 导线 ")};
    w->addButton().click();
    EXPECT_EQ(dialogs_->checks,
              (std::vector<QString>{"请输入点名。", "X 不是一个数值。", "Y 超出数值范围（绝对值太大）。",
                                    "H 不是一个数值。", "已有名为“K1”的已知点，请换一个点名。",
                                    "点名不能含有换行、制表符等控制字符。"}));
    const auto added = JobPoint("K2");
    ASSERT_TRUE(added);
    EXPECT_EQ(std::tuple(added->x, added->y, added->h, added->code, added->source),
              std::tuple(3000.25, 5000.5, std::optional<double>(), QStringLiteral("导线"), QStringLiteral("entered")));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(w->SelectedNames(), QStringList{"K2"}) << "the new point selected";

    dialogs_->answers = {std::nullopt};
    w->addButton().click();
    EXPECT_EQ(JobPoints(*job_).size(), 2u);
    EXPECT_EQ(changed.count(), 1) << "a cancel changes nothing";
}

TEST_F(KnownPointsWindowTest, EditKeepsTheSourceUnlessTheCoordinatesChange)
{
    Seed({Point("K1", 0.1 + 0.2, 5000, 12.5, "", "控制点.dat"), Point("K2", 1, 1)});
    const auto w = Window();
    QSignalSpy changed(w.get(), &KnownPointsWindow::pointsChanged);
    Select(*w, {"K1"});

    // The numbers start as the shortest text that reads back the same.
    dialogs_->answers = {Texts("K1", "0.30000000000000004", "5000", "12.5", "导线")};
    w->editButton().click();
    EXPECT_EQ(dialogs_->starts.at(0), Texts("K1", "0.30000000000000004", "5000", "12.5"));
    const auto k1 = JobPoint("K1");
    ASSERT_TRUE(k1);
    EXPECT_EQ(testing::Bits(k1->x), testing::Bits(0.1 + 0.2));
    EXPECT_EQ(k1->code, QStringLiteral("导线"));
    EXPECT_EQ(k1->source, QStringLiteral("控制点.dat")) << "only the code changed";

    dialogs_->answers = {Texts("K2", "1", "2"), Texts("GP1", "0.30000000000000004", "5000", "12.6", "导线")};
    w->editButton().click();
    EXPECT_EQ(dialogs_->checks, std::vector<QString>{"已有名为“K2”的已知点，请换一个点名。"});
    EXPECT_FALSE(JobPoint("K1"));
    const auto gp1 = JobPoint("GP1");
    ASSERT_TRUE(gp1);
    EXPECT_EQ(gp1->h, 12.6);
    EXPECT_EQ(gp1->source, QStringLiteral("entered")) << "H typed anew";
    EXPECT_EQ(w->SelectedNames(), QStringList{"GP1"});
    EXPECT_EQ(changed.count(), 2);

    dialogs_->answers = {Texts("GP1", "0.30000000000000004", "5000", "12.6", "导线")};
    w->editButton().click();
    EXPECT_EQ(changed.count(), 2) << "OK without a change writes nothing";
    EXPECT_EQ(JobPoint("GP1")->addedAt, gp1->addedAt);
}

TEST_F(KnownPointsWindowTest, DeleteAsksFirstAndDeletesTheSelectedPoints)
{
    Seed({Point("K1", 1, 1), Point("K2", 2, 2), Point("K3", 3, 3)});
    const auto w = Window();
    QSignalSpy changed(w.get(), &KnownPointsWindow::pointsChanged);
    EXPECT_EQ(DeletePointsQuestion(2), QStringLiteral("删除所选的 2 个已知点？"));
    Select(*w, {"K1", "K3"});
    dialogs_->confirm = false;
    w->deleteButton().click();
    EXPECT_EQ(dialogs_->asked, std::vector<int>{2});
    EXPECT_EQ(JobPoints(*job_).size(), 3u);

    dialogs_->confirm = true;
    w->deleteButton().click();
    EXPECT_EQ(Column(*w), QStringList{"K2"});
    EXPECT_EQ(JobPoints(*job_).size(), 1u);
    EXPECT_EQ(changed.count(), 1);

    // Reload shows what another program did, keeping the selection.
    Select(*w, {"K2"});
    Seed({Point("K0", 0, 0)});
    w->Reload();
    EXPECT_EQ(Column(*w), (QStringList{"K0", "K2"}));
    EXPECT_EQ(w->SelectedNames(), QStringList{"K2"});
}

// A DAT file of twenty points, some with Chinese names, in GB18030, with two
// bad rows (lines 9 and 23): the easting comes first in the file.
QByteArray TwentyPoints()
{
    std::string text = "点名,编码,Y,X,H\r\n";
    for (int i = 1; i <= 20; ++i) {
        const std::string name = i <= 10 ? "控制" + std::to_string(i) : "K" + std::to_string(i);
        const std::string height = i % 2 ? "," + std::to_string(40 + i) + ".125" : ",";
        text += name + (i <= 5 ? ",导线," : ",,") + std::to_string(5000 + i) + ".5," + std::to_string(3000 + i) +
                ".25" + height + "\r\n";
        if (i == 7) text += "坏行,,abc,3000,\r\n";
    }
    text += "K99,,1\r\n";
    return QByteArray::fromStdString(ToGb18030(text));
}

TEST_F(KnownPointsWindowTest, ImportReportsBadRowsAndConflictsKeepsOrReplacesAndCountsNothingTwice)
{
    Seed({Point("控制1", 3001.25, 5001.5, 41.125, "导线"), Point("控制2", 3002.5, 5002.5, std::nullopt, "导线")});
    const auto w = Window();
    QSignalSpy changed(w.get(), &KnownPointsWindow::pointsChanged);
    dialogs_->importPath = Write("控制点.dat", TwentyPoints());
    w->importButton().click();
    ASSERT_EQ(dialogs_->reports.size(), 1u);
    const ImportReport& report = dialogs_->reports[0];
    EXPECT_TRUE(report.summary.startsWith(QStringLiteral("18 个点已导入，1 个点已有且相同。"))) << report.summary.toStdString();
    EXPECT_TRUE(report.offersReplace);
    for (const char* line : {"第 9 行：", "第 23 行：", "控制2：X 3002.5，Y 5002.5；X 3002.25，Y 5002.5"})
        EXPECT_TRUE(report.details.contains(QString::fromUtf8(line))) << report.details.toStdString();
    EXPECT_EQ(changed.count(), 1);

    const auto k3 = JobPoint("控制3");
    ASSERT_TRUE(k3);
    EXPECT_EQ(std::tuple(k3->x, k3->y, k3->h, k3->code, k3->source),
              std::tuple(3003.25, 5003.5, std::optional(43.125), QStringLiteral("导线"), QStringLiteral("控制点.dat")));
    EXPECT_FALSE(JobPoint("K20")->h);
    EXPECT_FALSE(JobPoint("坏行")) << "nothing of a bad row is kept";
    EXPECT_EQ(JobPoint("控制2")->x, 3002.5) << "kept: the user chose 保留";
    EXPECT_EQ(JobPoint("控制1")->source, QStringLiteral("entered")) << "the same point stays as it was";
    EXPECT_EQ(w->rows().rowCount(), 20);

    const std::vector<KnownPoint> first = JobPoints(*job_);
    w->importButton().click();
    EXPECT_TRUE(dialogs_->reports.back().summary.startsWith(QStringLiteral("0 个点已导入，19 个点已有且相同。")));
    EXPECT_EQ(changed.count(), 1);
    const std::vector<KnownPoint> second = JobPoints(*job_);
    ASSERT_EQ(second.size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_TRUE(SameCoordinates(first[i], second[i]) && first[i].addedAt == second[i].addedAt) << i;

    dialogs_->replace = true;
    w->importButton().click();
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(JobPoint("控制2")->x, 3002.25);
    EXPECT_EQ(JobPoint("控制2")->source, QStringLiteral("控制点.dat"));
    EXPECT_TRUE(w->statusLine().text().contains(QStringLiteral("替换了 1 个点"))) << w->statusLine().text().toStdString();

    w->importButton().click();
    EXPECT_TRUE(dialogs_->reports.back().summary.startsWith(QStringLiteral("0 个点已导入，20 个点已有且相同。")));
    EXPECT_FALSE(dialogs_->reports.back().offersReplace);
    EXPECT_TRUE(dialogs_->problems.empty());
}

TEST_F(KnownPointsWindowTest, ImportRefusesAFileItCannotReadOrOneTooLarge)
{
    const auto w = Window();
    dialogs_->importPath = dir_.filePath(QStringLiteral("missing.dat"));
    w->importButton().click();
    dialogs_->importPath = Write("huge.dat", "K1,,1,2,\r\n");
    ASSERT_TRUE(QFile::resize(dialogs_->importPath, 64LL * 1024 * 1024 + 1));  // sparse: no disk taken
    w->importButton().click();
    ASSERT_EQ(dialogs_->problems.size(), 2u);
    EXPECT_TRUE(dialogs_->problems[0].startsWith(QStringLiteral("无法读取文件“"))) << dialogs_->problems[0].toStdString();
    EXPECT_TRUE(dialogs_->problems[1].endsWith(QStringLiteral("huge.dat”大于 64 MB，没有导入。")));
    EXPECT_TRUE(dialogs_->reports.empty());
    EXPECT_TRUE(JobPoints(*job_).empty());
}

TEST_F(KnownPointsWindowTest, ExportWritesDatOrCsvOfAllOrTheSelectedPointsThatReadBack)
{
    Seed({Point("控制1", 3000.03125, 5000.5, 45.6785, "导线", "控制点.dat"), Point("P10", 0.1 + 0.2, -2.5),
          Point("P2", 1, 2, std::nullopt, "-GPS", "computed")});
    const auto w = Window();
    ExportChoice choice;
    const auto exported = [&](const char* file) {
        choice.path = dir_.filePath(QString::fromUtf8(file));
        dialogs_->exportChoice = choice;
        w->exportButton().click();
        return Read(choice.path);
    };
    EXPECT_EQ(QString(QStringDecoder("GB18030")(exported("all.dat"))), QStringLiteral("控制1,导线,5000.5000,3000.0312,45.6785\r\n"
                                                                             "P2,-GPS,2.0000,1.0000,\r\n"
                                                                             "P10,,-2.5000,0.3000,\r\n"))
        << "every point, by name as the table sorts names";
    EXPECT_EQ(dialogs_->exportAsked.back(), std::pair(3, 0));
    EXPECT_TRUE(w->statusLine().text().startsWith(QStringLiteral("已导出 3 个已知点到“")));

    Select(*w, {"控制1", "P2"});
    ClickHeader(*w, C::X);
    choice.encoding = PointEncoding::Utf8;
    choice.selectedOnly = true;
    EXPECT_EQ(exported("selected.dat"), "P2,-GPS,2.0000,1.0000,\r\n控制1,导线,5000.5000,3000.0312,45.6785\r\n")
        << "in the table's order";
    EXPECT_EQ(dialogs_->exportAsked.back(), std::pair(3, 2));

    choice.format = PointFileFormat::Csv;
    choice.selectedOnly = false;
    EXPECT_EQ(exported("all.csv"), "\xEF\xBB\xBFname,X,Y,H,code,source\r\n"
                                   "控制1,3000.03125,5000.5,45.6785,导线,控制点.dat\r\n"
                                   "P2,1,2,,'-GPS,computed\r\n"
                                   "P10,0.30000000000000004,-2.5,,,entered\r\n");
    ASSERT_TRUE(dialogs_->problems.empty());

    // The DAT read back into another job: the same points, to its four decimals.
    const auto other = OpenJob(QStringLiteral("other.cvjob"));
    auto answers = std::make_unique<ScriptedPointDialogs>();
    answers->importPath = dir_.filePath(QStringLiteral("all.dat"));
    KnownPointsWindow(*other, std::move(answers)).importButton().click();
    const std::vector<KnownPoint> back = JobPoints(*other);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(std::tuple(back[2].name, back[2].x, back[2].h, back[2].code, back[2].source),
              std::tuple(QStringLiteral("控制1"), 3000.0312, std::optional(45.6785), QStringLiteral("导线"),
                         QStringLiteral("all.dat")));

    // A name DAT cannot hold, and a folder that is not there: nothing written.
    Seed({Point("A,B", 1, 2)});
    w->Reload();
    choice.format = PointFileFormat::Dat;
    const QByteArray earlier = Read(dir_.filePath(QStringLiteral("all.dat")));
    EXPECT_EQ(exported("all.dat"), earlier);
    EXPECT_EQ(dialogs_->problems.at(0), QStringLiteral("没有导出：点名“A,B”含有逗号、引号或换行，DAT 文件写不下。"));
    choice.format = PointFileFormat::Csv;
    EXPECT_EQ(exported("no-such-folder/all.csv"), "(missing)");
    EXPECT_TRUE(dialogs_->problems.at(1).contains(QStringLiteral("无法写入"))) << dialogs_->problems.at(1).toStdString();
}

// The real dialogs: the point's stays open with the problem under the
// fields until the point reads; the report's default button keeps.
TEST(KnownPointDialogs, PointDialogStaysOpenAndTheReportKeepsByDefault)
{
    QWidget parent;
    QtKnownPointDialogs dialogs(&parent, QString());
    const auto answer = [](std::function<void(QDialog&)> act) {
        QTimer::singleShot(0, [act] { act(*qobject_cast<QDialog*>(QApplication::activeModalWidget())); });
    };
    QStringList shown;
    answer([&](QDialog& dialog) {
        QLineEdit* x = dialog.findChildren<QLineEdit*>().at(1);
        x->setText(QStringLiteral("x"));
        QTest::keyClick(x, Qt::Key_Return);
        for (QLabel* label : dialog.findChildren<QLabel*>())
            if (label->isVisible() && label->text().contains(QStringLiteral("数值"))) shown << label->text();
        testing::KeepScreenshot(dialog.grab().toImage(), "known-point-dialog.png");
        x->setText(QStringLiteral("1"));
        QTest::keyClick(x, Qt::Key_Return);
    });
    const auto texts = dialogs.AskPoint(QStringLiteral("添加已知点"), Texts("K1", "", "2"), [](const PointTexts& t) {
        return t.x == QLatin1String("x") ? QStringLiteral("X 不是一个数值。") : QString();
    });
    EXPECT_EQ(shown, QStringList{"X 不是一个数值。"});
    EXPECT_EQ(texts, Texts("K1", "1", "2"));

    ImportReport report{QStringLiteral("18 个点已导入，1 个点已有且相同。\n1 个点的点名作业中已有，坐标却不同：替换为文件中的坐标，还是保留作业中的？"),
                        QStringLiteral("坐标不同的同名点（作业中；文件中）：\n控制2：X 3002.5，Y 5002.5；X 3002.25，Y 5002.5"),
                        true};
    answer([](QDialog& dialog) {
        testing::KeepScreenshot(dialog.grab().toImage(), "known-points-import-report.png");
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_FALSE(dialogs.ShowImportReport(report)) << "Enter keeps";
    answer([](QDialog& dialog) {
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("替换")) b->click();
    });
    EXPECT_TRUE(dialogs.ShowImportReport(report));
}

}  // namespace
}  // namespace corvanet
