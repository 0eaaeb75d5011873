// The window's context menu through the real window offscreen: how it opens,
// the copied results, the saved report, the sketch window, the version; the
// tooltip on the diagram; and the Up arrow in the real prompt dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QHelpEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <deque>

#include "app/button_binding.h"
#include "app/window_menu.h"
#include "tests/ui/scripted_menu_dialogs.h"
#include "tests/ui/scripted_prompt.h"
#include "tests/ui/screenshots.h"
#include "ui/main_window.h"
#include "ui/meter_precision_dialog.h"
#include "ui/sketch_window.h"

namespace corvanet {
namespace {

using testing::Answer;
using testing::ScriptedMenuDialogs;
using testing::ScriptedPrompt;

std::vector<Answer> SwappedEntry()
{
    return {"2450", "", "3550", "", "3000", "", "3000", "", "2500", "", "2600", "", "P1", "474.345", "", "412.308",
            "", "509.905", ""};
}

class Menu : public ::testing::Test {
protected:
    void SetUp() override
    {
        BindButtons(window);
        menu = WindowMenuOf(window);
        ASSERT_NE(menu, nullptr);
        menu->UseDialogs(dialogs);
        window.show();
    }

    void Calculate(std::vector<Answer> answers)
    {
        ScriptedPrompt prompt(window, std::move(answers));
        window.UsePrompt(prompt);
        window.button(QStringLiteral("Command1"))->click();
        EXPECT_TRUE(prompt.Finished());
        window.UsePrompt(window.prompt());
    }

    static QStringList Row(const QString& table, int line) { return table.split('\n').at(line).split('\t'); }

    QString Copied()
    {
        QApplication::clipboard()->clear();
        menu->action(QStringLiteral("CopyResults"))->trigger();
        return QApplication::clipboard()->text();
    }

    MainWindow window;
    WindowMenu* menu = nullptr;
    ScriptedMenuDialogs dialogs;
    QTemporaryDir dir;
};

const QStringList kActions = {QStringLiteral("作业：（尚未打开）"), QStringLiteral("新建作业…"),
                              QStringLiteral("打开作业…"),           QStringLiteral("计算记录…"),
                              QStringLiteral("已知点…"),             QStringLiteral("导出点…"),
                              QStringLiteral("图形…"),
                              QStringLiteral("复制结果"),            QStringLiteral("另存报表为 PDF…"),
                              QStringLiteral("测距精度…"),           QStringLiteral("关于 Corvanet")};


// The popup menu now open, and its captions without separators.
QStringList OpenMenu()
{
    QStringList captions;
    if (auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget()); open && open->isVisible())
        for (const QAction* a : open->actions())
            if (!a->isSeparator()) captions << a->text();
    return captions;
}

void CloseMenu()
{
    if (QWidget* open = QApplication::activePopupWidget()) open->close();
}

TEST_F(Menu, RightClickAnywhereOpensIt)
{
    for (const char* where : {"Label2", "Label42", "Command3"}) {
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(where));
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), control->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(control, &click);
        EXPECT_EQ(OpenMenu(), kActions) << where;
        EXPECT_FALSE(menu->action(QStringLiteral("CopyResults"))->isEnabled()) << "nothing to copy yet";
        CloseMenu();
    }
    // A field keeps its edit menu and offers the window's four below it.
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(field, &click);
    const QStringList captions = OpenMenu();
    EXPECT_EQ(captions.mid(captions.size() - kActions.size()), kActions);
    EXPECT_GT(captions.size(), 4) << "the field's own copy and paste stay";
    if (QWidget* open = QApplication::activePopupWidget()) testing::KeepScreenshot(open->grab().toImage(), "corvanet-field-menu.png");
    CloseMenu();
}

TEST_F(Menu, MenuKeyAndShiftF10OpenIt)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const char* focus : {"Text5", "Command1"}) {
        window.findChild<QWidget*>(QString::fromLatin1(focus))->setFocus();
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
            QTest::keyClick(window.focusWidget(), key, modifiers);
            const QStringList captions = OpenMenu();
            EXPECT_EQ(captions.mid(captions.size() - kActions.size()), kActions) << focus << " " << key;
            CloseMenu();
        }
    }
}

TEST_F(Menu, DiagramTellsOfTheMenu)
{
    auto* elsewhere = window.findChild<QWidget*>(QStringLiteral("Label15"));
    QHelpEvent away(QEvent::ToolTip, QPoint(3, 3), elsewhere->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(elsewhere, &away);
    EXPECT_TRUE(QToolTip::text().isEmpty()) << "only the diagram carries the tip";
    for (const char* where : {"Label44", "Label49"}) {
        auto* label = window.findChild<QWidget*>(QString::fromLatin1(where));
        QHelpEvent hover(QEvent::ToolTip, QPoint(3, 3), label->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(label, &hover);
        EXPECT_EQ(QToolTip::text(), WindowMenu::DiagramTip()) << where;
    }
    EXPECT_TRUE(WindowMenu::DiagramTip().contains(QStringLiteral("右键")));
    QToolTip::hideText();
}

TEST_F(Menu, CopyGivesAHeaderAndARowForASpreadsheet)
{
    Calculate(testing::WorkedEntry());
    const QString text = Copied();
    ASSERT_EQ(text.count('\n'), 2) << text.toStdString();
    const QStringList header = Row(text, 0), row = Row(text, 1);
    // The batch input's columns, then the batch output's from the status on.
    EXPECT_EQ(header.join(','), QStringLiteral("name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3,status,w,k,ms,s1,s2,s3,xp1,yp1,xp2,yp2,"
                                               "xp3,yp3,px,py,mx,my,md,m,step,message,Qxy,E,F,phiE,wAdjusted,"
                                               "routeSpread,mw,limit,verdict"));
    ASSERT_EQ(row.size(), header.size());
    const auto cell = [&](const char* name) { return row.at(header.indexOf(QString::fromLatin1(name))); };
    EXPECT_EQ(cell("name"), QStringLiteral("P1"));
    EXPECT_EQ(cell("S1"), QStringLiteral("509.905")) << "the measured distance as entered";
    EXPECT_EQ(cell("s1"), QStringLiteral("509.9029949471595")) << "the adjusted one";
    EXPECT_EQ(cell("status"), QStringLiteral("ok"));
    EXPECT_EQ(cell("w"), QStringLiteral("-2.759147882461548"));
    EXPECT_EQ(cell("m"), QStringLiteral("100162.203125"));
    EXPECT_TRUE(cell("message").isEmpty());
    EXPECT_NEAR(cell("E").toDouble(), 3.39657, 5e-6);
    EXPECT_NEAR(cell("phiE").toDouble(), 19.6053, 5e-5);
}

TEST_F(Menu, CopySaysWhenTheLastCalculationDidNotComplete)
{
    Calculate(SwappedEntry());
    QStringList header = Row(Copied(), 0), row = Row(Copied(), 1);
    EXPECT_EQ(row.at(header.indexOf("status")), QStringLiteral("failed"));
    EXPECT_EQ(row.at(header.indexOf("step")), QStringLiteral("adjustment.adjustedDistances"));
    EXPECT_TRUE(row.at(header.indexOf("message")).contains(QStringLiteral("平差改正后的边长不大于零")));
    EXPECT_TRUE(row.at(header.indexOf("xp1")).isEmpty());
    EXPECT_TRUE(row.at(header.indexOf("E")).isEmpty());

    // Worked figure, then a calculation cancelled at Xb: the row is the
    // worked figure's, and says it is from an earlier calculation.
    Calculate(testing::WorkedEntry());
    Calculate({"1", "", "2", "", testing::kCancel});
    header = Row(Copied(), 0), row = Row(Copied(), 1);
    EXPECT_EQ(row.at(header.indexOf("Xa")), QStringLiteral("2500"));
    EXPECT_EQ(row.at(header.indexOf("status")), QStringLiteral("ok"));
    EXPECT_TRUE(row.at(header.indexOf("message")).contains(QStringLiteral("上一次计算")));
}

TEST_F(Menu, SavesTheReportAsPdfAtAnyTime)
{
    Calculate(testing::WorkedEntry());
    dialogs.pdfPath = dir.filePath(QStringLiteral("报表"));
    menu->action(QStringLiteral("SaveReportPdf"))->trigger();
    QFile pdf(dir.filePath(QStringLiteral("报表.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << "the .pdf is added";
    EXPECT_EQ(pdf.read(5), QByteArray("%PDF-"));
    EXPECT_TRUE(dialogs.failures.empty());

    dialogs.pdfPath = dir.filePath(QStringLiteral("no/such/folder/x.pdf"));
    menu->action(QStringLiteral("SaveReportPdf"))->trigger();
    EXPECT_EQ(dialogs.failures.size(), 1u) << "a file that cannot be written is said";

    dialogs.pdfPath.clear();  // cancelled
    menu->action(QStringLiteral("SaveReportPdf"))->trigger();
    EXPECT_EQ(dialogs.failures.size(), 1u);
}

TEST_F(Menu, SavingToAFullDiskGivesTheWarning)
{
    Calculate(testing::WorkedEntry());
    dialogs.pdfPath = dir.filePath(QStringLiteral("full.pdf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), dialogs.pdfPath));  // a disk with no room left
    menu->action(QStringLiteral("SaveReportPdf"))->trigger();
    ASSERT_EQ(dialogs.failures.size(), 1u);
    EXPECT_EQ(dialogs.failures[0], QStringLiteral("PDF 文件“%1”无法写入（磁盘已满）。").arg(dialogs.pdfPath));
}

TEST_F(Menu, TheSavedReportOfAStoppedCalculationSaysSo)
{
    // The same page as Print: the note on the figure that did not complete.
    Calculate(testing::WorkedEntry());
    Calculate(SwappedEntry());
    dialogs.pdfPath = dir.filePath(QStringLiteral("stopped.pdf"));
    menu->action(QStringLiteral("SaveReportPdf"))->trigger();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {dialogs.pdfPath, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(page.contains(QStringLiteral("最近一次计算没有完成"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("*"))) << "values not from this calculation are marked";
}

TEST_F(Menu, AboutGivesTheVersion)
{
    menu->action(QStringLiteral("About"))->trigger();
    EXPECT_TRUE(dialogs.about.startsWith(QStringLiteral("关于 Corvanet\nCorvanet 1."))) << dialogs.about.toStdString();
}


TEST_F(Menu, SketchWindowFollowsEachCalculation)
{
    menu->action(QStringLiteral("ShowSketch"))->trigger();
    SketchWindow* sketch = menu->sketchWindow();
    ASSERT_NE(sketch, nullptr);
    EXPECT_TRUE(sketch->isVisible());
    EXPECT_TRUE(sketch->isWindow());
    EXPECT_FALSE(sketch->isModal());
    EXPECT_EQ(SceneOf(window.memory(), window.trace(), window.meter()).outcome, nullptr);
    const QImage before = sketch->grab().toImage();

    Calculate(testing::WorkedEntry());
    const QImage worked = sketch->grab().toImage();
    EXPECT_NE(worked, before);
    testing::KeepScreenshot(worked, "corvanet-sketch.png");
    ASSERT_NE(SceneOf(window.memory(), window.trace(), window.meter()).outcome, nullptr);

    Calculate(SwappedEntry());
    const QImage swapped = sketch->grab().toImage();
    EXPECT_NE(swapped, worked);
    testing::KeepScreenshot(swapped, "corvanet-sketch-swapped.png");

    Calculate({"1", "", testing::kCancel});
    EXPECT_NE(sketch->grab().toImage(), swapped) << "now says it is from an earlier calculation";
    EXPECT_FALSE(SceneOf(window.memory(), window.trace(), window.meter()).staleNote.empty());

    menu->action(QStringLiteral("ShowSketch"))->trigger();
    EXPECT_EQ(menu->sketchWindow(), sketch) << "one sketch window";
}

// Answers the real prompt dialogs: "↑" presses Up before Enter, "⎋" is
// Cancel; the line each prompt started with is kept.
class UpTypist {
public:
    explicit UpTypist(std::deque<QString> keys) : keys_(std::move(keys))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!input || !input->isVisible() || keys_.empty()) return;
            auto* edit = input->findChild<QLineEdit*>();
            startTexts.push_back(edit->text());
            const QString key = keys_.front();
            keys_.pop_front();
            if (key == QStringLiteral("⎋")) {
                QTest::keyClick(edit, Qt::Key_Escape);
                return;
            }
            if (key == QStringLiteral("↑"))
                QTest::keyClick(edit, Qt::Key_Up);
            else
                QTest::keyClicks(edit, key);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        timer_.start(0);
    }
    bool Finished() const { return keys_.empty(); }
    std::vector<QString> startTexts;

private:
    std::deque<QString> keys_;
    QTimer timer_;
};

TEST_F(Menu, UpArrowRecallsWhatEachPromptAcceptedLastTime)
{
    std::deque<QString> first;
    for (const auto& a : testing::WorkedEntry()) first.push_back(QString::fromStdString(*a));
    {
        UpTypist typist(first);
        window.button(QStringLiteral("Command1"))->click();
        ASSERT_TRUE(typist.Finished());
    }
    const SurveyRecord firstRecord = window.record();

    // Up and Enter at each value prompt (and the name), Enter at each confirmation.
    std::deque<QString> second;
    for (const auto& a : testing::WorkedEntry()) second.push_back(a->empty() ? QString() : QStringLiteral("↑"));
    UpTypist typist(second);
    window.button(QStringLiteral("Command1"))->click();
    ASSERT_TRUE(typist.Finished());
    for (const QString& start : typist.startTexts) EXPECT_TRUE(start.isEmpty()) << "every edit line starts empty";
    EXPECT_EQ(window.record().PointName, "P1");
    EXPECT_EQ(window.record().Xa, firstRecord.Xa);
    EXPECT_EQ(window.record().S3obs, firstRecord.S3obs);
    for (const auto& [box, shown] : testing::kWorkedResults)
        EXPECT_EQ(window.fieldText(QString::fromStdString(box)).toStdString(), shown) << box;
}

TEST_F(Menu, UpRecallsTheCorrectedValueNotTheFirstTyped)
{
    // Xa typed as 1000, re-entered as 2500: the next calculation recalls 2500.
    std::deque<QString> keys = {"1000", "0", "2500", ""};
    for (std::size_t i = 2; i < testing::WorkedEntry().size(); ++i) keys.push_back(QString::fromStdString(*testing::WorkedEntry()[i]));
    {
        UpTypist typist(keys);
        window.button(QStringLiteral("Command1"))->click();
        ASSERT_TRUE(typist.Finished());
    }
    UpTypist typist({"↑", "", "999", "", "⎋"});
    window.button(QStringLiteral("Command1"))->click();
    ASSERT_TRUE(typist.Finished());
    EXPECT_EQ(window.record().Xa, 2500.0);
    EXPECT_EQ(window.record().Ya, 999.0);
}

// The worked figure with a 10 cm blunder in S1.
std::vector<Answer> BlunderEntry()
{
    std::vector<Answer> answers = testing::WorkedEntry();
    answers[13] = "510.005";
    return answers;
}

TEST_F(Menu, MisclosureBeyondTheLimitShowsRedWithTheVerdictInTheTooltip)
{
    QLineEdit* w = window.findChild<QLineEdit*>(QStringLiteral("Text18"));
    ASSERT_NE(w, nullptr);
    const QColor ordinary = w->palette().color(QPalette::Text);
    Calculate(testing::WorkedEntry());
    EXPECT_EQ(w->toolTip(), QStringLiteral("限差 ±4.91秒（2 倍中误差，测距精度 ±(2 mm + 2 ppm·D)）：合格"));
    EXPECT_EQ(w->palette().color(QPalette::Text), ordinary);
    EXPECT_EQ(Row(Copied(), 1).last(), QStringLiteral("pass")) << "the copy's verdict column";

    Calculate(BlunderEntry());
    EXPECT_EQ(w->text(), QStringLiteral("-52.84秒"));
    EXPECT_EQ(w->toolTip(), QStringLiteral("限差 ±4.91秒（2 倍中误差，测距精度 ±(2 mm + 2 ppm·D)）：超限"));
    EXPECT_EQ(w->palette().color(QPalette::Text), QColor(255, 0, 0));
    testing::KeepScreenshot(window.grab().toImage(), "window-misclosure-exceeded.png");
    // Nothing else in the window changes colour.
    for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
        if (box != w) {
            EXPECT_EQ(box->palette().color(QPalette::Text), ordinary) << box->objectName().toStdString();
        }
    }

    // A new figure's first value: the blunder's w is an earlier calculation's now, grey and without a verdict.
    ScriptedPrompt prompt(window, {"2500", "", std::nullopt});
    window.UsePrompt(prompt);
    window.button(QStringLiteral("Command1"))->click();
    window.UsePrompt(window.prompt());
    EXPECT_NE(w->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_FALSE(w->toolTip().contains(QStringLiteral("超限")));
}

TEST_F(Menu, AnotherMeterAppliesAtOnceAndIsKept)
{
    QLineEdit* w = window.findChild<QLineEdit*>(QStringLiteral("Text18"));
    Calculate(testing::WorkedEntry());
    ASSERT_TRUE(w->toolTip().endsWith(QStringLiteral("合格")));

    dialogs.meter = std::nullopt;  // Cancel changes nothing
    menu->action(QStringLiteral("MeterPrecision"))->trigger();
    ASSERT_TRUE(dialogs.offered);
    EXPECT_EQ(dialogs.offered->a, 2.0);
    EXPECT_TRUE(w->toolTip().endsWith(QStringLiteral("合格")));

    // 1 mm + 1 ppm: m_w = 1.23″, the worked figure's 2.76″ is beyond 2.46″.
    dialogs.meter = MeterPrecision{1.0, 1.0};
    menu->action(QStringLiteral("MeterPrecision"))->trigger();
    EXPECT_EQ(w->toolTip(), QStringLiteral("限差 ±2.46秒（2 倍中误差，测距精度 ±(1 mm + 1 ppm·D)）：超限"));
    EXPECT_EQ(w->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(LoadMeterPrecision(UserSettings()).b, 1.0) << "kept for the next start";
    MainWindow restarted;
    EXPECT_EQ(restarted.meter().a, 1.0);

    SaveMeterPrecision(UserSettings(), MeterPrecision{});
}

}  // namespace
}  // namespace corvanet
