// After a calculation that stopped or was cancelled the window still shows
// the earlier figure's results: they stay, greyed, with a tooltip, and the
// report marks them; a complete calculation clears every mark.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

#include "app/button_binding.h"
#include "app/window_menu.h"
#include "report/print_report.h"
#include "report/report_text.h"
#include "tests/ui/scripted_prompt.h"
#include "tests/ui/screenshots.h"
#include "ui/main_window.h"
#include "ui/sketch_window.h"

namespace corvanet {
namespace {

using testing::Answer;
using testing::kCancel;
using testing::ScriptedPrompt;

const std::vector<std::string> kInputBoxes = {"Text1", "Text2", "Text3", "Text4", "Text5",
                                              "Text6", "Text11", "Text7", "Text8", "Text9"};
const QString kTip = QStringLiteral("此数值来自以前的计算，不属于现在输入的图形。");

std::vector<std::string> ResultBoxes()
{
    std::vector<std::string> boxes;
    for (const auto& [box, text] : testing::kWorkedResults) boxes.push_back(box);
    return boxes;
}

// The worked figure with S3 = 2000: triangle PBC cannot be formed.
std::vector<Answer> StoppingEntry()
{
    std::vector<Answer> entry = testing::WorkedEntry();
    entry[entry.size() - 2] = "2000";
    return entry;
}

// A second figure, cancelled at the S2 prompt.
std::vector<Answer> CancelledAtS2()
{
    return {"1000", "", "1100", "", "1500", "", "1500", "", "950", "", "2050", "", "Q7", "509.905", "", kCancel};
}

class StaleMarks : public ::testing::Test {
protected:
    void SetUp() override { BindButtons(window); }

    void Calculate(std::vector<Answer> script)
    {
        ScriptedPrompt prompt(window, std::move(script));
        window.UsePrompt(prompt);
        window.button(QStringLiteral("Command1"))->click();
        EXPECT_TRUE(prompt.Finished());
        warnings = prompt.warnings;
    }

    QLineEdit* Box(const std::string& name) const
    {
        return window.findChild<QLineEdit*>(QString::fromStdString(name));
    }
    bool Greyed(const std::string& name) const
    {
        return Box(name)->palette().color(QPalette::Text) != window.palette().color(QPalette::Text);
    }
    std::vector<std::string> GreyedBoxes() const
    {
        std::vector<std::string> greyed;
        for (const std::string& name : testing::FieldNames())
            if (Greyed(name)) greyed.push_back(name);
        return greyed;
    }
    std::string Report()
    {
        TextReportPrinter printer;
        PrintReport(window.record(), window.trace(), window.misclosureTest(), printer);
        return printer.Text();
    }
    void SaveScreenshot(const char* name)
    {
        window.show();
        testing::KeepScreenshot(window.grab().toImage(), name);
    }

    MainWindow window;
    std::vector<std::string> warnings;
};

TEST_F(StaleMarks, NothingGreyedBeforeAndAfterACompleteCalculation)
{
    EXPECT_TRUE(GreyedBoxes().empty());
    Calculate(testing::WorkedEntry());
    EXPECT_TRUE(GreyedBoxes().empty());
    // No box warns; w's alone tells the misclosure test.
    for (const std::string& name : testing::FieldNames()) {
        if (name == "Text18")
            EXPECT_TRUE(Box(name)->toolTip().startsWith(QStringLiteral("限差 ±4.91秒"))) << name;
        else
            EXPECT_TRUE(Box(name)->toolTip().isEmpty()) << name;
    }
}

TEST_F(StaleMarks, StoppedCalculationGreysTheEarlierResultsAndKeepsTheirText)
{
    Calculate(testing::WorkedEntry());
    Calculate(StoppingEntry());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(GreyedBoxes(), ResultBoxes()) << "no result reached: every result box is the first figure's";
    for (const auto& [box, text] : testing::kWorkedResults) {
        EXPECT_EQ(Box(box)->text().toStdString(), text) << "kept, not hidden: " << box;
        EXPECT_EQ(Box(box)->toolTip(), kTip) << box;
    }
    for (const std::string& box : kInputBoxes) EXPECT_TRUE(Box(box)->toolTip().isEmpty()) << box;
    EXPECT_EQ(window.fieldText("Text9"), QStringLiteral(" 2000.0000"));
    SaveScreenshot("corvanet-stopped.png");

    Calculate(testing::WorkedEntry());
    EXPECT_TRUE(GreyedBoxes().empty()) << "a complete calculation clears the marks";
    EXPECT_TRUE(Box("Text18")->toolTip().endsWith(QStringLiteral("合格"))) << "the test's tooltip, not the stale one";
}

TEST_F(StaleMarks, CancelGreysEveryBoxTheEntryDidNotReach)
{
    Calculate(testing::WorkedEntry());
    Calculate(CancelledAtS2());
    std::vector<std::string> expected = {"Text8", "Text9"};
    for (const std::string& box : ResultBoxes()) expected.push_back(box);
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> greyed = GreyedBoxes();
    std::sort(greyed.begin(), greyed.end());
    EXPECT_EQ(greyed, expected);
    EXPECT_EQ(window.fieldText("Text8"), QStringLiteral(" 412.3080")) << "the first figure's S2, still shown";
    EXPECT_EQ(Box("Text8")->toolTip(), kTip);
    SaveScreenshot("corvanet-cancelled.png");
}

TEST_F(StaleMarks, MarksStartWithTheFirstStoredValueNotWithThePress)
{
    Calculate(testing::WorkedEntry());
    Calculate({"1000", "", kCancel});  // Xa stored, cancelled at the Ya prompt
    EXPECT_EQ(GreyedBoxes().size(), 23u) << "all but Xa's box and the note once Xa is stored";
    EXPECT_FALSE(Greyed("Text1"));
    EXPECT_FALSE(Greyed("Text26")) << "the note is written at every press";
}

// The window, the page, the sketch and the copy, each as it stands.
struct Shown {
    std::vector<std::string> greyed;
    std::string page;
    std::string sketchNote;
    QImage sketch;
    std::string copy;
};

TEST_F(StaleMarks, CancelAtTheFirstPromptLeavesTheLastCalculationCurrentEverywhere)
{
    WindowMenu& menu = *WindowMenuOf(window);
    menu.action(QStringLiteral("ShowSketch"))->trigger();
    const auto shown = [&] {
        QApplication::clipboard()->clear();
        menu.action(QStringLiteral("CopyResults"))->trigger();
        return Shown{GreyedBoxes(), Report(), SceneOf(window.memory(), window.trace(), window.meter()).staleNote,
                     menu.sketchWindow()->grab().toImage(), QApplication::clipboard()->text().toStdString()};
    };
    const std::string earlierNote = "最近一次计算在输入时已取消，这里是上一次计算的结果。";
    struct Case {
        const char* what;
        std::vector<Answer> entry;
        bool earlierResults;  // the sketch and the copy show an earlier calculation's results
    };
    for (const Case& c : {Case{"complete", testing::WorkedEntry(), false}, Case{"stopped", StoppingEntry(), false},
                          Case{"cancelled at S2", CancelledAtS2(), true}}) {
        SCOPED_TRACE(c.what);
        Calculate(testing::WorkedEntry());
        Calculate(c.entry);
        const Shown before = shown();
        Calculate({kCancel});
        const Shown after = shown();
        EXPECT_EQ(after.greyed, before.greyed);
        EXPECT_EQ(after.page, before.page);
        EXPECT_EQ(after.sketchNote, before.sketchNote);
        EXPECT_TRUE(after.sketch == before.sketch);
        EXPECT_EQ(after.copy, before.copy);
        EXPECT_EQ(after.sketchNote == earlierNote, c.earlierResults);
        EXPECT_EQ(after.copy.find(earlierNote) != std::string::npos, c.earlierResults) << after.copy;
        EXPECT_EQ(after.page.find("注意：最近一次计算没有完成") != std::string::npos, !after.greyed.empty());
    }
}

TEST_F(StaleMarks, ReportOfAStoppedCalculationSaysWhereAndMarksTheEarlierResults)
{
    Calculate(testing::WorkedEntry());
    const std::string complete = Report();
    EXPECT_EQ(complete, ReportPlainText(window.record())) << "a complete calculation's report is unchanged";

    Calculate(StoppingEntry());
    const std::string report = Report();
    EXPECT_NE(report.find("注意：最近一次计算没有完成，在“平差：三角形 PBC 中 P 点的角”一步中止："), std::string::npos)
        << report;
    EXPECT_NE(report.find("标有 * 的数值不是这次计算得出的"), std::string::npos) << report;
    EXPECT_NE(report.find("xp1=2600.004*"), std::string::npos) << report;
    EXPECT_NE(report.find("w=-2.76 (秒)*"), std::string::npos) << report;
    EXPECT_NE(report.find("k=0.00000400*"), std::string::npos) << "the first figure's k" << report;
    EXPECT_NE(report.find("1/m=1/ 100162 *"), std::string::npos) << report;
    EXPECT_NE(report.find("s3 = 2000.0000*"), std::string::npos) << "typed, not adjusted" << report;
    EXPECT_NE(report.find("s3=2000.0000"), std::string::npos) << report;
    EXPECT_EQ(report.find("s3=2000.0000*"), std::string::npos) << "the measured S3 is this figure's" << report;
    EXPECT_NE(report.find("待定点-- P1 --\n"), std::string::npos) << "the name is this figure's" << report;
}

TEST_F(StaleMarks, ReportOfACancelledEntryNamesTheInputAndMarksTheInputsNotReached)
{
    Calculate(testing::WorkedEntry());
    Calculate(CancelledAtS2());
    const std::string report = Report();
    EXPECT_NE(report.find("注意：最近一次计算没有完成，输入在 S2 处取消。"), std::string::npos) << report;
    EXPECT_NE(report.find("xa=1000.000\n"), std::string::npos) << report;
    EXPECT_NE(report.find("s1=509.9050\n"), std::string::npos) << "S1 accepted in this entry" << report;
    EXPECT_NE(report.find("s2=412.3080*"), std::string::npos) << report;
    EXPECT_NE(report.find("s3=474.3450*"), std::string::npos) << report;
    EXPECT_NE(report.find("待定点-- Q7 --\n"), std::string::npos) << report;
}

TEST_F(StaleMarks, LongPointNameShowsFromItsStart)
{
    std::vector<Answer> entry = testing::WorkedEntry();
    std::string name;
    for (int i = 0; i < 4; ++i) name += "东山西岭南坡北沟中桥";
    entry[12] = name;
    Calculate(entry);
    EXPECT_EQ(window.fieldText("Text11"), QString::fromStdString("  " + name));
    EXPECT_EQ(Box("Text11")->cursorPosition(), 0) << "the box scrolled to the name's end hides its start";
    SaveScreenshot("corvanet-long-name.png");
}

}  // namespace
}  // namespace corvanet
