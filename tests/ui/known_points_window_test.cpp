// The 已知点 window over real job files: the table and its texts, the sort
// by a header, the filter by name, add, edit and delete with their checks
// and questions, import of a coordinate file with its report, conflicts kept
// or replaced, and export to DAT and CSV read back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <iconv.h>

#include "store/known_points.h"
#include "tests/store/job_test_support.h"
#include "tests/ui/screenshots.h"
#include "text/point_file.h"
#include "ui/known_point_dialogs.h"
#include "ui/known_point_form.h"
#include "ui/known_point_model.h"
#include "ui/known_points_window.h"

namespace corvanet {
namespace {

using testing::Bits;
using testing::Held;
using C = KnownPointModel;

QStringList shownButtons;  // of the last report dialog

// Answers the window's questions from a script and keeps what it was asked.
class ScriptedPointDialogs final : public KnownPointDialogs {
public:
    // Each AskPoint takes answers until one passes the check, as the dialog
    // stays open until then; none is a cancel.
    std::optional<PointTexts> AskPoint(const QString& title, const PointTexts& start,
                                       const std::function<QString(const PointTexts&)>& check) override
    {
        titles.push_back(title);
        starts.push_back(start);
        while (!answers.empty()) {
            const std::optional<PointTexts> answer = answers.front();
            answers.pop_front();
            if (!answer) return std::nullopt;
            const QString problem = check(*answer);
            if (problem.isEmpty()) return answer;
            checks.push_back(problem);
        }
        return std::nullopt;
    }
    bool ConfirmDelete(int count) override
    {
        asked.push_back(count);
        return confirm;
    }
    QString ChooseImportFile() override { return importPath; }
    bool ShowImportReport(const ImportReport& report) override
    {
        reports.push_back(report);
        return replace;
    }
    std::optional<ExportChoice> ChooseExport(int all, int selected) override
    {
        exportAsked.emplace_back(all, selected);
        return exportChoice;
    }
    void ShowProblem(const QString& message) override { problems.push_back(message); }

    std::deque<std::optional<PointTexts>> answers;
    std::vector<QString> titles, checks, problems;
    std::vector<PointTexts> starts;
    bool confirm = true;
    std::vector<int> asked;
    QString importPath;
    bool replace = false;
    std::vector<ImportReport> reports;
    std::optional<ExportChoice> exportChoice;
    std::vector<std::pair<int, int>> exportAsked;
};

KnownPoint Point(const char* name, double x, double y, std::optional<double> h = {}, const char* code = "",
                 const char* source = "entered")
{
    KnownPoint p;
    p.name = QString::fromUtf8(name);
    p.x = x;
    p.y = y;
    p.h = h;
    p.code = QString::fromUtf8(code);
    p.source = QString::fromUtf8(source);
    return p;
}

PointTexts Texts(const char* name, const char* x, const char* y, const char* h = "", const char* code = "")
{
    return {QString::fromUtf8(name), QString::fromUtf8(x), QString::fromUtf8(y), QString::fromUtf8(h),
            QString::fromUtf8(code)};
}

std::string FromGb18030(const QByteArray& bytes)
{
    const iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "(no GB18030 here)";
    std::string out(static_cast<std::size_t>(bytes.size()) * 4 + 4, '\0');
    char* in = const_cast<char*>(bytes.constData());
    char* o = out.data();
    std::size_t inLeft = static_cast<std::size_t>(bytes.size()), outLeft = out.size();
    const bool ok = iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    return ok ? out.substr(0, out.size() - outLeft) : "(does not decode)";
}

class KnownPointsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { job_ = OpenJob(QStringLiteral("site.cvjob")); }

    std::unique_ptr<JobFile> OpenJob(const QString& name)
    {
        auto opened = JobFile::Open(dir_.filePath(name));
        if (!Held(opened)) {
            ADD_FAILURE() << std::get<JobProblem>(opened).message.toStdString();
            return nullptr;
        }
        return std::move(std::get<std::unique_ptr<JobFile>>(opened));
    }

    void Seed(std::vector<KnownPoint> points)
    {
        const auto merged = AddKnownPoints(*job_, points, false);
        ASSERT_TRUE(std::holds_alternative<KnownPointMerge>(merged));
    }

    std::vector<KnownPoint> JobPoints(JobFile* job = nullptr) const
    {
        auto all = AllKnownPoints(job ? *job : *job_);
        EXPECT_TRUE(std::holds_alternative<std::vector<KnownPoint>>(all));
        return std::get<std::vector<KnownPoint>>(all);
    }

    std::optional<KnownPoint> JobPoint(const char* name) const
    {
        auto found = FindKnownPoint(*job_, QString::fromUtf8(name));
        EXPECT_TRUE((std::holds_alternative<std::optional<KnownPoint>>(found)));
        return std::get<std::optional<KnownPoint>>(found);
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
        for (const char* name : names)
            for (int row = 0; row < w.rows().rowCount(); ++row)
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
        const QString path = dir_.filePath(QString::fromUtf8(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return path;
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
    EXPECT_EQ(w->filterEdit().placeholderText(), QStringLiteral("按点名筛选"));

    ASSERT_EQ(Column(*w), (QStringList{"a\\tb", "C2", "K1", "P7"})) << "a tab in a name shown escaped, on one line";
    // The rule of the coordinate boxes: 15 significant digits, then halves away from zero.
    EXPECT_EQ(Column(*w, C::X), (QStringList{"1.000", "0.000", "3000.001", "2600.004"})) << "no sign on a zero shown";
    EXPECT_EQ(Column(*w, C::Y), (QStringList{"2.000", "10000000.000", "5000.123", "3100.000"}));
    EXPECT_EQ(Column(*w, C::H), (QStringList{"", "", "45.679", ""}));
    EXPECT_EQ(Column(*w, C::Code), (QStringList{"", "", "导线", ""}));
    EXPECT_EQ(Column(*w, C::Source), (QStringList{"输入", "计算", "控制点.dat", "输入"}));
    EXPECT_EQ(w->rows().data(w->rows().index(0, C::X), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));

    EXPECT_FALSE(w->editButton().isEnabled());
    EXPECT_FALSE(w->deleteButton().isEnabled());
    EXPECT_TRUE(w->exportButton().isEnabled());
    Select(*w, {"K1"});
    EXPECT_TRUE(w->editButton().isEnabled());
    Select(*w, {"K1", "P7"});
    EXPECT_FALSE(w->editButton().isEnabled());
    EXPECT_TRUE(w->deleteButton().isEnabled());
    EXPECT_EQ(w->SelectedNames(), (QStringList{"K1", "P7"}));

    w->show();
    testing::KeepScreenshot(w->grab().toImage(), "known-points-window.png");
}

TEST_F(KnownPointsWindowTest, HeadersSortNamesAsPeopleCountAndFiguresAsNumbers)
{
    Seed({Point("P10", 3, 30, 1.5), Point("P2", 10, 20), Point("p1", -1, 10, -2.0), Point("P1", 2, 5, 0.25),
          Point("测站", 1, 1)});
    const auto w = Window();
    // Chinese names first, by pinyin (the Chinese order of scripts); names that
    // collate alike by their code points.
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
        const QString typed = QString::fromUtf8(text);
        // QTest types only Latin-1 keys; Chinese comes from the input method at once.
        if (typed.front().unicode() < 0x80) QTest::keyClicks(&w->filterEdit(), typed);
        else w->filterEdit().setText(typed);
        return Column(*w);
    };
    EXPECT_EQ(filtered("12"), (QStringList{"控制12", "GP12", "K12"}));
    EXPECT_EQ(filtered("Gp"), (QStringList{"gp3", "GP12"}));
    EXPECT_EQ(filtered("A.B"), (QStringList{"A.B"})) << "a dot is a dot";
    EXPECT_EQ(filtered("控制"), (QStringList{"控制12"}));
    EXPECT_EQ(filtered("Q"), QStringList{});
    w->filterEdit().clear();
    EXPECT_EQ(w->rows().rowCount(), 6);
}

TEST_F(KnownPointsWindowTest, AddAsksAgainUntilThePointReadsAndKeepsItAsEntered)
{
    Seed({Point("K1", 1, 2)});
    const auto w = Window();
    QSignalSpy changed(w.get(), &KnownPointsWindow::pointsChanged);
    dialogs_->answers = {Texts("  ", "1", "2"),          Texts("K2", "3000,5", "2"), Texts("K2", "1", "1e400"),
                         Texts("K2", "1", "2", "高"),     Texts("K1", "1", "2"),      Texts("a\nb", "1", "2"),
                         Texts(" K2 ", " 3000.25 ", "5000.5", "", " 导线 ")};
    w->addButton().click();
    EXPECT_EQ(dialogs_->titles, std::vector<QString>{QStringLiteral("添加已知点")});
    EXPECT_EQ(dialogs_->checks,
              (std::vector<QString>{"请输入点名。", "X 不是一个数值。", "Y 超出数值范围（绝对值太大）。",
                                    "H 不是一个数值。", "已有名为“K1”的已知点，请换一个点名。",
                                    "点名不能含有换行、制表符等控制字符。"}));
    const auto added = JobPoint("K2");
    ASSERT_TRUE(added);
    EXPECT_EQ(Bits(added->x), Bits(3000.25));
    EXPECT_EQ(added->y, 5000.5);
    EXPECT_FALSE(added->h);
    EXPECT_EQ(added->code, QStringLiteral("导线"));
    EXPECT_EQ(added->source, QStringLiteral("entered"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(w->SelectedNames(), QStringList{"K2"}) << "the new point selected";
    EXPECT_EQ(Column(*w), (QStringList{"K1", "K2"}));

    dialogs_->answers = {std::nullopt};
    w->addButton().click();
    EXPECT_EQ(JobPoints().size(), 2u);
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
    ASSERT_EQ(dialogs_->starts.size(), 1u);
    EXPECT_EQ(dialogs_->starts[0], Texts("K1", "0.30000000000000004", "5000", "12.5"));
    auto k1 = JobPoint("K1");
    ASSERT_TRUE(k1);
    EXPECT_EQ(Bits(k1->x), Bits(0.1 + 0.2));
    EXPECT_EQ(k1->code, QStringLiteral("导线"));
    EXPECT_EQ(k1->source, QStringLiteral("控制点.dat")) << "only the code changed";
    EXPECT_EQ(changed.count(), 1);

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

    // OK without a change writes nothing.
    const QString addedAt = gp1->addedAt;
    dialogs_->answers = {Texts("GP1", "0.30000000000000004", "5000", "12.6", "导线")};
    w->editButton().click();
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(JobPoint("GP1")->addedAt, addedAt);
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
    EXPECT_EQ(JobPoints().size(), 3u);
    EXPECT_EQ(changed.count(), 0);

    dialogs_->confirm = true;
    w->deleteButton().click();
    ASSERT_EQ(JobPoints().size(), 1u);
    EXPECT_EQ(JobPoints()[0].name, QStringLiteral("K2"));
    EXPECT_EQ(Column(*w), QStringList{"K2"});
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(w->deleteButton().isEnabled());
}

// A DAT file of twenty points, some with Chinese names, in GB18030: the
// easting comes first in the file and lands in Y.
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

TEST_F(KnownPointsWindowTest, ImportAddsTheFilesPointsAndReportsBadRowsAndConflicts)
{
    Seed({Point("控制1", 3001.25, 5001.5, 41.125, "导线"), Point("控制2", 3002.5, 5002.5, std::nullopt, "导线")});
    const auto w = Window();
    QSignalSpy changed(w.get(), &KnownPointsWindow::pointsChanged);
    dialogs_->importPath = Write("控制点.dat", TwentyPoints());
    w->importButton().click();
    ASSERT_TRUE(dialogs_->problems.empty()) << dialogs_->problems[0].toStdString();
    ASSERT_EQ(dialogs_->reports.size(), 1u);
    const ImportReport& report = dialogs_->reports[0];
    EXPECT_TRUE(report.summary.startsWith(QStringLiteral("18 个点已导入，1 个点已有且相同。"))) << report.summary.toStdString();
    EXPECT_TRUE(report.offersReplace);
    EXPECT_TRUE(report.details.contains(QStringLiteral("第 9 行："))) << report.details.toStdString();
    EXPECT_TRUE(report.details.contains(QStringLiteral("第 23 行："))) << report.details.toStdString();
    EXPECT_TRUE(report.details.contains(QStringLiteral("控制2：X 3002.5，Y 5002.5；X 3002.25，Y 5002.5")))
        << report.details.toStdString();
    EXPECT_EQ(changed.count(), 1);

    const auto k3 = JobPoint("控制3");
    ASSERT_TRUE(k3);
    EXPECT_EQ(k3->x, 3003.25);
    EXPECT_EQ(k3->y, 5003.5);
    EXPECT_EQ(k3->h, 43.125);
    EXPECT_EQ(k3->code, QStringLiteral("导线"));
    EXPECT_EQ(k3->source, QStringLiteral("控制点.dat"));
    const auto k20 = JobPoint("K20");
    ASSERT_TRUE(k20);
    EXPECT_FALSE(k20->h);
    EXPECT_FALSE(JobPoint("坏行")) << "nothing of a bad row is kept";
    EXPECT_FALSE(JobPoint("K99"));
    EXPECT_EQ(JobPoint("控制2")->x, 3002.5) << "kept: the user chose 保留";
    EXPECT_EQ(JobPoint("控制1")->source, QStringLiteral("entered")) << "the same point stays as it was";
    EXPECT_EQ(w->rows().rowCount(), 20);
}

TEST_F(KnownPointsWindowTest, ASecondImportChangesNothingAndReplaceTakesTheFilesCoordinates)
{
    Seed({Point("控制2", 3002.5, 5002.5, std::nullopt, "导线")});
    const auto w = Window();
    dialogs_->importPath = Write("控制点.dat", TwentyPoints());
    w->importButton().click();
    const std::vector<KnownPoint> first = JobPoints();
    ASSERT_EQ(first.size(), 20u);

    QSignalSpy changed(w.get(), &KnownPointsWindow::pointsChanged);
    w->importButton().click();
    ASSERT_EQ(dialogs_->reports.size(), 2u);
    EXPECT_TRUE(dialogs_->reports[1].summary.startsWith(QStringLiteral("0 个点已导入，19 个点已有且相同。")));
    EXPECT_EQ(changed.count(), 0);
    const std::vector<KnownPoint> second = JobPoints();
    ASSERT_EQ(second.size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_TRUE(SameCoordinates(first[i], second[i])) << i;
        EXPECT_EQ(first[i].addedAt, second[i].addedAt) << i;
    }

    dialogs_->replace = true;
    w->importButton().click();
    EXPECT_EQ(changed.count(), 1);
    const auto replaced = JobPoint("控制2");
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->x, 3002.25);
    EXPECT_EQ(replaced->source, QStringLiteral("控制点.dat"));
    EXPECT_TRUE(w->statusLine().text().contains(QStringLiteral("替换了 1 个点"))) << w->statusLine().text().toStdString();

    w->importButton().click();
    EXPECT_TRUE(dialogs_->reports.back().summary.startsWith(QStringLiteral("0 个点已导入，20 个点已有且相同。")));
    EXPECT_FALSE(dialogs_->reports.back().offersReplace);
    EXPECT_EQ(changed.count(), 1);
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
    EXPECT_TRUE(dialogs_->problems[1].endsWith(QStringLiteral("huge.dat”大于 64 MB，没有导入。")))
        << dialogs_->problems[1].toStdString();
    EXPECT_TRUE(dialogs_->reports.empty());
    EXPECT_TRUE(JobPoints().empty());
}

TEST_F(KnownPointsWindowTest, ExportWritesDatOrCsvOfAllOrTheSelectedPointsThatReadBack)
{
    Seed({Point("控制1", 3000.03125, 5000.5, 45.6785, "导线", "控制点.dat"), Point("P10", 0.1 + 0.2, -2.5),
          Point("P2", 1, 2, std::nullopt, "-GPS", "computed")});
    const auto w = Window();
    QSignalSpy changed(w.get(), &KnownPointsWindow::pointsChanged);

    ExportChoice choice;
    choice.path = dir_.filePath(QStringLiteral("all.dat"));
    dialogs_->exportChoice = choice;
    w->exportButton().click();
    EXPECT_EQ(dialogs_->exportAsked.back(), std::make_pair(3, 0));
    const QByteArray dat = Read(choice.path);
    EXPECT_EQ(FromGb18030(dat), "控制1,导线,5000.5000,3000.0312,45.6785\r\n"
                                "P2,-GPS,2.0000,1.0000,\r\n"
                                "P10,,-2.5000,0.3000,\r\n")
        << "every point, by name as the table sorts names";
    EXPECT_TRUE(w->statusLine().text().startsWith(QStringLiteral("已导出 3 个已知点到“")));

    Select(*w, {"控制1", "P2"});
    ClickHeader(*w, C::X);  // 1 before 3000.123
    choice.path = dir_.filePath(QStringLiteral("selected.dat"));
    choice.encoding = PointEncoding::Utf8;
    choice.selectedOnly = true;
    dialogs_->exportChoice = choice;
    w->exportButton().click();
    EXPECT_EQ(dialogs_->exportAsked.back(), std::make_pair(3, 2));
    EXPECT_EQ(Read(choice.path), "P2,-GPS,2.0000,1.0000,\r\n控制1,导线,5000.5000,3000.0312,45.6785\r\n");

    choice.path = dir_.filePath(QStringLiteral("all.csv"));
    choice.format = PointFileFormat::Csv;
    choice.selectedOnly = false;
    dialogs_->exportChoice = choice;
    w->exportButton().click();
    EXPECT_EQ(Read(choice.path), "\xEF\xBB\xBFname,X,Y,H,code,source\r\n"
                                 "控制1,3000.03125,5000.5,45.6785,导线,控制点.dat\r\n"
                                 "P2,1,2,,'-GPS,computed\r\n"
                                 "P10,0.30000000000000004,-2.5,,,entered\r\n");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(dialogs_->problems.empty());

    // The DAT read back into another job: the same points, to its four decimals.
    const auto other = OpenJob(QStringLiteral("other.cvjob"));
    auto second = std::make_unique<ScriptedPointDialogs>();
    second->importPath = dir_.filePath(QStringLiteral("all.dat"));
    ScriptedPointDialogs& answers = *second;
    KnownPointsWindow again(*other, std::move(second));
    again.importButton().click();
    ASSERT_EQ(answers.reports.size(), 1u);
    const std::vector<KnownPoint> back = JobPoints(other.get());
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[2].name, QStringLiteral("控制1"));
    EXPECT_EQ(back[2].x, 3000.0312) << "to four decimals, an exact half to the even neighbour";
    EXPECT_EQ(back[2].h, 45.6785);
    EXPECT_EQ(back[2].code, QStringLiteral("导线"));
    EXPECT_EQ(back[2].source, QStringLiteral("all.dat"));
}

TEST_F(KnownPointsWindowTest, ExportThatCannotBeWrittenLeavesTheOldFile)
{
    Seed({Point("A,B", 1, 2), Point("K1", 3, 4)});
    const auto w = Window();
    ExportChoice choice;
    choice.path = Write("points.dat", "earlier\r\n");
    dialogs_->exportChoice = choice;
    w->exportButton().click();
    ASSERT_EQ(dialogs_->problems.size(), 1u);
    EXPECT_EQ(dialogs_->problems[0], QStringLiteral("没有导出：点名“A,B”含有逗号、引号或换行，DAT 文件写不下。"));
    EXPECT_EQ(Read(choice.path), "earlier\r\n");

    choice.path = dir_.filePath(QStringLiteral("no-such-folder/points.csv"));
    choice.format = PointFileFormat::Csv;
    dialogs_->exportChoice = choice;
    w->exportButton().click();
    ASSERT_EQ(dialogs_->problems.size(), 2u);
    EXPECT_TRUE(dialogs_->problems[1].contains(QStringLiteral("无法写入"))) << dialogs_->problems[1].toStdString();
    EXPECT_FALSE(QFile::exists(choice.path));
}

TEST_F(KnownPointsWindowTest, ReloadShowsWhatAnotherProgramChangedKeepingTheSelection)
{
    Seed({Point("K1", 1, 1), Point("K2", 2, 2)});
    const auto w = Window();
    Select(*w, {"K2"});
    Seed({Point("K0", 0, 0)});
    w->Reload();
    EXPECT_EQ(Column(*w), (QStringList{"K0", "K1", "K2"}));
    EXPECT_EQ(w->SelectedNames(), QStringList{"K2"});
}

// The real dialog stays open with the problem under the fields until the
// point reads.
TEST(KnownPointDialog, StaysOpenUntilThePointReads)
{
    QWidget parent;
    QtKnownPointDialogs dialogs(&parent, QString());
    std::vector<QString> shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
        ASSERT_EQ(edits.size(), 5);
        edits[1]->setText(QStringLiteral("x"));
        QTest::keyClick(edits[1], Qt::Key_Return);
        for (QLabel* label : dialog->findChildren<QLabel*>())
            if (label->isVisible() && label->text().contains(QStringLiteral("数值"))) shown.push_back(label->text());
        testing::KeepScreenshot(dialog->grab().toImage(), "known-point-dialog.png");
        edits[1]->setText(QStringLiteral("1"));
        QTest::keyClick(edits[1], Qt::Key_Return);
    });
    const auto texts = dialogs.AskPoint(QStringLiteral("添加已知点"), Texts("K1", "", "2"), [](const PointTexts& t) {
        const auto read = ReadPointTexts(t);
        return std::holds_alternative<QString>(read) ? std::get<QString>(read) : QString();
    });
    EXPECT_EQ(shown, std::vector<QString>{"X 不是一个数值。"});
    ASSERT_TRUE(texts);
    EXPECT_EQ(*texts, Texts("K1", "1", "2"));
}

// The report's buttons: 替换 or 保留 (the default, so Enter keeps) when there
// are conflicts, else only OK.
TEST(KnownPointDialog, ImportReportOffersReplaceOnlyForConflicts)
{
    QWidget parent;
    QtKnownPointDialogs dialogs(&parent, QString());
    ImportReport report;
    report.summary = QStringLiteral("18 个点已导入，1 个点已有且相同。2 行不是点，没有导入。\n"
                                    "1 个点的点名作业中已有，坐标却不同：替换为文件中的坐标，还是保留作业中的？");
    report.details = QStringLiteral("没有导入的行：\n第 9 行：Y 不是一个数值\n\n坐标不同的同名点（作业中；文件中）：\n"
                                    "控制2：X 3002.5，Y 5002.5；X 3002.25，Y 5002.5");
    report.offersReplace = true;
    const auto answer = [&](const char* button) {
        QTimer::singleShot(0, [&, button] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            QStringList texts;
            for (QPushButton* b : dialog->findChildren<QPushButton*>())
                texts << b->text() + (b->isDefault() ? QStringLiteral("*") : QString());
            texts.sort();
            shownButtons = texts;
            if (!button) {
                if (report.offersReplace)
                    testing::KeepScreenshot(dialog->grab().toImage(), "known-points-import-report.png");
                QTest::keyClick(dialog, Qt::Key_Return);
                return;
            }
            for (QPushButton* b : dialog->findChildren<QPushButton*>())
                if (b->text() == QString::fromUtf8(button)) b->click();
        });
        return dialogs.ShowImportReport(report);
    };
    EXPECT_FALSE(answer(nullptr)) << "Enter keeps";
    EXPECT_EQ(shownButtons, (QStringList{"保留*", "替换"}));
    EXPECT_TRUE(answer("替换"));
    EXPECT_FALSE(answer("保留"));

    report.offersReplace = false;
    EXPECT_FALSE(answer(nullptr));
    EXPECT_EQ(shownButtons.size(), 1);
}

}  // namespace
}  // namespace corvanet
