// Every kind of bad answer at every prompt of the entry, end to end through
// the window: the same prompt comes again, nothing stored so far is lost, and
// a good answer afterwards finishes the worked figure exactly.
#include <gtest/gtest.h>

#include "ui/calculate_command.h"
#include "tests/ui/scripted_prompt.h"

namespace corvanet {
namespace {

using namespace testing;
using namespace testing::text;
using Script = std::vector<Answer>;

// The answer positions of the value prompts in WorkedEntry(), and the text
// each one shows.
struct ValuePrompt {
    std::size_t at;
    std::string message;
};
const ValuePrompt kValuePrompts[] = {{0, kXa}, {2, kYa}, {4, kXb}, {6, kYb}, {8, kXc},
                                     {10, kYc}, {13, kS1}, {15, kS2}, {17, kS3}};

std::string Field(const MainWindow& w, const char* name) { return w.fieldText(QString::fromLatin1(name)).toStdString(); }

void ExpectWorkedResults(const MainWindow& w)
{
    for (const auto& [box, shown] : kWorkedResults) EXPECT_EQ(Field(w, box.c_str()), shown) << box;
}

// Each line of `bad` typed at every value prompt before the good one: each
// is warned about with its line of `said`, the prompt comes again, and the
// worked figure still comes out.
void ExpectAskedAgainAtEveryPrompt(const std::vector<std::string>& bad, const std::vector<std::string>& said)
{
    for (const ValuePrompt& vp : kValuePrompts) {
        SCOPED_TRACE(vp.message);
        Script s = WorkedEntry();
        s.insert(s.begin() + static_cast<std::ptrdiff_t>(vp.at), bad.begin(), bad.end());
        MainWindow window;
        ScriptedPrompt p(window, s);
        PressCalculate(window, p);
        EXPECT_TRUE(p.Finished());
        EXPECT_EQ(p.warnings, said);
        // The prompt is asked once for each bad line and once more for the good one.
        std::size_t asked = 0;
        for (const std::string& m : p.Messages()) asked += (m == vp.message);
        EXPECT_EQ(asked, bad.size() + 1);
        ExpectWorkedResults(window);
    }
}

TEST(BadInputAtEveryPrompt, NotANumberIsAskedForAgain)
{
    const std::vector<std::string> bad = {"abc", "", "1,5", "0x10", "inf", "nan", std::string(10000, 'x'), "12 5", "一"};
    ExpectAskedAgainAtEveryPrompt(bad, std::vector<std::string>(bad.size(), kNeedNumber));
}

TEST(BadInputAtEveryPrompt, OutOfRangeIsAskedForAgainAndSaysSo)
{
    // Too small was once taken silently as zero.
    ExpectAskedAgainAtEveryPrompt({"1e999", std::string(10000, '9'), "1e-400", "-1e-400"},
                                  {kTooLarge, kTooLarge, kTooSmall, kTooSmall});
}

TEST(BadInputAtEveryPrompt, OtherWaysOfWritingTheSameNumberAreAccepted)
{
    // "+2500", " 2500 " and "2.5e3" read as 2500 at every coordinate prompt.
    for (const char* same : {"+2500", " 2500 ", "2.5e3", "2500.", "02500"}) {
        SCOPED_TRACE(same);
        Script s = WorkedEntry();
        s[0] = same;
        MainWindow window;
        ScriptedPrompt p(window, s);
        PressCalculate(window, p);
        EXPECT_TRUE(p.warnings.empty());
        EXPECT_EQ(window.record().Xa, 2500.0);
        EXPECT_EQ(Field(window, "Text1"), " 2500.000");
        ExpectWorkedResults(window);
    }
}

TEST(BadInputAtEveryPrompt, CancelEndsTheCalculationWhereItStands)
{
    for (const ValuePrompt& vp : kValuePrompts) {
        SCOPED_TRACE(vp.message);
        // A first, complete calculation; then a second one cancelled at this prompt.
        MainWindow window;
        ScriptedPrompt first(window, WorkedEntry());
        PressCalculate(window, first);
        const SurveyRecord before = window.record();

        const Script worked = WorkedEntry();
        Script s(worked.begin(), worked.begin() + static_cast<std::ptrdiff_t>(vp.at));
        for (Answer& a : s)
            if (a && *a == "2500") *a = "2501";  // a visibly different Xa
        s.push_back(kCancel);
        ScriptedPrompt p(window, s);
        PressCalculate(window, p);
        EXPECT_TRUE(p.Finished());
        EXPECT_TRUE(p.warnings.empty()) << "Cancel is quiet";
        ExpectWorkedResults(window);  // no result was reached
        EXPECT_EQ(window.record().w, before.w);
        EXPECT_EQ(window.record().m, before.m);
        if (vp.at > 0) {
            EXPECT_EQ(window.record().Xa, 2501.0);
            EXPECT_EQ(Field(window, "Text1"), " 2501.000");
        }
    }
}

TEST(BadInputAtEveryPrompt, PointNamesAreStoredAndShownAsTyped)
{
    const std::string names[] = {"%s%n%x", "<b>P1</b>&amp;", "نقطة ١", "\u202Eevil\u202C", "P1\tP2",
                                 std::string(10000, 'N'), "   ", "待定点"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name.substr(0, 20));
        Script s = WorkedEntry();
        s[12] = name;
        MainWindow window;
        ScriptedPrompt p(window, s);
        PressCalculate(window, p);
        EXPECT_TRUE(p.Finished());
        EXPECT_EQ(window.record().PointName, name);
        EXPECT_EQ(Field(window, "Text11"), "  " + name);
        ExpectWorkedResults(window);
    }
}

}  // namespace
}  // namespace corvanet
