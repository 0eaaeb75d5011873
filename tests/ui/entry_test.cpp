// The Calculate command driven by a scripted prompt: the worked figure, each
// kind of re-entry, each bad answer, and a second figure that fails.
#include <gtest/gtest.h>

#include <memory>

#include "ui/calculate_command.h"
#include "engine/failure.h"
#include "text/calculation_trace.h"
#include "text/display_rules.h"
#include "tests/ui/scripted_prompt.h"

namespace corvanet {
namespace {

using namespace testing;
using namespace testing::text;
using Script = std::vector<Answer>;

class Calculate : public ::testing::Test {
protected:
    ScriptedPrompt& Press(Script script)
    {
        prompts_.push_back(std::make_unique<ScriptedPrompt>(window, std::move(script)));
        ending = PressCalculate(window, *prompts_.back());
        EXPECT_TRUE(prompts_.back()->Finished()) << "the entry ended before the script did";
        return *prompts_.back();
    }
    std::string Field(const char* name) const { return window.fieldText(QString::fromLatin1(name)).toStdString(); }
    void ExpectWorkedResults() const
    {
        for (const auto& [box, shown] : kWorkedResults)
            EXPECT_EQ(Field(box.c_str()), shown) << box;
    }

    MainWindow window;
    std::optional<CalculationEnding> ending;  // the last press's

private:
    std::vector<std::unique_ptr<ScriptedPrompt>> prompts_;
};

// `s` with the `count` answers from `first` on replaced.
Script Replaced(Script s, std::size_t first, std::size_t count, const Script& answers)
{
    s.erase(s.begin() + first, s.begin() + first + count);
    s.insert(s.begin() + first, answers.begin(), answers.end());
    return s;
}
// Positions of each value's prompt in WorkedEntry().
enum : std::size_t { kAtXa = 0, kAtYa = 2, kAtXb = 4, kAtYb = 6, kAtXc = 8, kAtYc = 10, kAtName = 12,
                     kAtS1 = 13, kAtS2 = 15, kAtS3 = 17 };

TEST_F(Calculate, WorkedFigureWithoutReentry)
{
    const ScriptedPrompt& p = Press(WorkedEntry());

    EXPECT_EQ(p.Messages(), (std::vector<std::string>{kXa, kConfirm1, kYa, kConfirm1, kXb, kConfirm1, kYb, kConfirm2,
                                                      kXc, kConfirm1, kYc, kConfirm1, kName, kS1, kConfirm3, kS2,
                                                      kConfirm1, kS3, kConfirm3}));
    EXPECT_TRUE(p.warnings.empty());
    // The note is written before the first prompt; nothing else is there yet.
    for (const auto& [name, shown] : p.asked[0].fields)
        EXPECT_EQ(shown, name == "Text26" ? kNote : "") << name;
    // Each value is echoed before its confirmation is asked.
    EXPECT_EQ(p.asked[1].fields.at("Text1"), " 2500.000");
    EXPECT_EQ(p.asked[7].fields.at("Text4"), " 3000.000");
    EXPECT_EQ(p.asked[11].fields.at("Text6"), " 3550.000");
    EXPECT_EQ(p.asked[13].fields.at("Text11"), "  P1");
    EXPECT_EQ(p.asked[14].fields.at("Text7"), " 509.9050");
    EXPECT_EQ(p.asked[18].fields.at("Text9"), " 474.3450");
    EXPECT_EQ(p.asked[18].fields.at("Text18"), "") << "no result before the last value is accepted";

    EXPECT_EQ(Field("Text1"), " 2500.000");
    EXPECT_EQ(Field("Text2"), " 2600.000");
    EXPECT_EQ(Field("Text3"), " 3000.000");
    EXPECT_EQ(Field("Text4"), " 3000.000");
    EXPECT_EQ(Field("Text5"), " 2450.000");
    EXPECT_EQ(Field("Text6"), " 3550.000");
    EXPECT_EQ(Field("Text7"), " 509.9050");
    EXPECT_EQ(Field("Text8"), " 412.3080");
    EXPECT_EQ(Field("Text9"), " 474.3450");
    EXPECT_EQ(Field("Text11"), "  P1");
    EXPECT_EQ(Field("Text26"), kNote);
    ExpectWorkedResults();

    const SurveyRecord& r = window.record();
    EXPECT_EQ(r.PointName, "P1");
    EXPECT_EQ(r.S1obs, 509.905f);
    EXPECT_EQ(r.S2obs, 412.308f);
    EXPECT_EQ(r.S3obs, 474.345f);
    EXPECT_NE(r.S1, 509.905) << "S1 now holds the adjusted distance";
}

TEST_F(Calculate, ReenteringXaYcAndS2)
{
    // From the end, so that the earlier positions hold.
    Script s = Replaced(WorkedEntry(), kAtS2, 2, {"400", "00", "412.308", ""});
    s = Replaced(s, kAtYc, 2, {"3500", "0", "3550", ""});
    s = Replaced(s, kAtXa, 2, {"1000", "0", "2500", ""});
    const ScriptedPrompt& p = Press(s);

    const std::vector<std::string> expected{
        kXa, kConfirm1, kXaAgain, kConfirm1, kYa, kConfirm1, kXb, kConfirm1, kYb, kConfirm2, kXc, kConfirm1,
        kYc, kConfirm1, kYcAgain, kConfirm1, kName, kS1, kConfirm3, kS2, kConfirm1, kS2Again, kConfirm3, kS3,
        kConfirm3};
    ASSERT_EQ(p.Messages(), expected);

    auto text1 = [&](std::size_t i) { return p.asked[i].fields.at("Text1"); };
    EXPECT_EQ(text1(1), " 1000.000") << "echo of the first value";
    EXPECT_EQ(text1(2), "") << "emptied before the re-entry prompt";
    EXPECT_EQ(text1(3), " 2500.000") << "the new value shows at once";
    EXPECT_EQ(text1(4), " 2500.000");

    auto text6 = [&](std::size_t i) { return p.asked[i].fields.at("Text6"); };
    EXPECT_EQ(text6(13), " 3500.000");
    EXPECT_EQ(text6(14), "");
    EXPECT_EQ(text6(15), "") << "Yc's field stays empty until the value is accepted";
    EXPECT_EQ(text6(16), " 3550.000");

    auto text8 = [&](std::size_t i) { return p.asked[i].fields.at("Text8"); };
    EXPECT_EQ(text8(20), " 400.0000");
    EXPECT_EQ(text8(21), "");
    EXPECT_EQ(text8(22), " 412.3080");
    EXPECT_EQ(text8(23), " 412.3080");

    // The re-entered values replaced the first ones: the worked results follow.
    ExpectWorkedResults();
    EXPECT_EQ(window.record().Xa, 2500.0);
    EXPECT_EQ(window.record().Yc, 3550.0);
    EXPECT_EQ(window.record().S2obs, 412.308f) << "taken when the confirmation ended";
}

TEST_F(Calculate, FirstAndLaterConfirmationOfEveryValue)
{
    // Every value typed twice: a zero at the first confirmation, Enter at the second.
    Script s;
    const char* values[] = {"2500", "2600", "3000", "3000", "2450", "3550"};
    for (const char* v : values)
        s.insert(s.end(), {v, "0", v, ""});
    s.push_back("P1");
    for (const char* v : {"509.905", "412.308", "474.345"})
        s.insert(s.end(), {v, "0", v, ""});
    const ScriptedPrompt& p = Press(s);

    const std::vector<std::string> expected{
        kXa, kConfirm1, kXaAgain, kConfirm1, kYa, kConfirm1, kYaAgain, kConfirm1, kXb, kConfirm1, kXbAgain, kConfirm1,
        kYb, kConfirm2, kYbAgain, kConfirm1, kXc, kConfirm1, kXcAgain, kConfirm1, kYc, kConfirm1, kYcAgain, kConfirm1,
        kName, kS1, kConfirm3, kS1Again, kConfirm3, kS2, kConfirm1, kS2Again, kConfirm3, kS3, kConfirm3, kS3Again,
        kConfirm3};
    EXPECT_EQ(p.Messages(), expected);
    ExpectWorkedResults();
}

TEST_F(Calculate, ReentryAsOftenAsWanted)
{
    ScriptedPrompt& p = Press({"1000", "0", "2500", "0", "1001.25", "", kCancel});
    EXPECT_EQ(p.Messages(), (std::vector<std::string>{kXa, kConfirm1, kXaAgain, kConfirm1, kXaAgain, kConfirm1, kYa}));
    EXPECT_EQ(p.asked[3].fields.at("Text1"), " 2500.000");
    EXPECT_EQ(Field("Text1"), " 1001.250");
    EXPECT_EQ(window.record().Xa, 1001.25);
}

TEST_F(Calculate, EchoesWithThePatternAlone)
{
    Script s{"3456.7", "0", "1234.0625", "", "-12.5", "", "3000", "", "3000", "", "2450", "", "3550", "", "P1",
             "100", "", "123.45678", "", kCancel};
    const ScriptedPrompt& p = Press(s);
    EXPECT_EQ(p.asked[1].fields.at("Text1"), " 3456.700");
    EXPECT_EQ(p.asked[3].fields.at("Text1"), " 1234.063") << "no half-even step before the pattern";
    EXPECT_EQ(p.asked[5].fields.at("Text2"), " -12.500");
    EXPECT_EQ(p.asked[16].fields.at("Text7"), " 100.0000");
    EXPECT_EQ(p.asked[18].fields.at("Text8"), " 123.4568");
    EXPECT_EQ(window.record().Xa, 1234.0625) << "the record keeps the full value";
}

TEST_F(Calculate, ZeroInAnyFormAsksAgainAnyOtherNumberOrNothingAccepts)
{
    const ScriptedPrompt& p = Press({"1", "0", "2", "0.0", "3", "00", "4", "-0", "2500",  // Xa: four zeros
                                     "1", "2600", "5", "3000", "-2", "3000", "",          // Ya, Xb, Yb
                                     "2450", kCancel, "3550", " ", "",                    // Xc, Yc
                                     kCancel});
    EXPECT_EQ(p.Messages(), (std::vector<std::string>{
                                kXa, kConfirm1, kXaAgain, kConfirm1, kXaAgain, kConfirm1, kXaAgain, kConfirm1,
                                kXaAgain, kConfirm1, kYa, kConfirm1, kXb, kConfirm1, kYb, kConfirm2, kXc, kConfirm1,
                                kYc, kConfirm1, kConfirm1, kName}));
    EXPECT_EQ(window.record().Xa, 2500.0);
    EXPECT_EQ(Field("Text1"), " 2500.000");
    EXPECT_EQ(Field("Text5"), " 2450.000") << "Cancel at a confirmation accepts";
    EXPECT_EQ(Field("Text6"), " 3550.000");
}

TEST_F(Calculate, S1obsHoldsTheAcceptedValue)
{
    Script s = Replaced(WorkedEntry(), kAtS1, 2, {"100", "0", "101", ""});
    s.resize(kAtS1 + 4);
    s.push_back(kCancel);
    Press(s);
    EXPECT_EQ(window.record().S1, 101.0);
    EXPECT_EQ(window.record().S1obs, 101.0f);
}

TEST_F(Calculate, ADistanceBeyondSinglePrecisionStopsAtEntryLikeAFailedStep)
{
    Press(WorkedEntry());

    // S1 = 1e39 is a number, echoed and accepted, but has no single copy.
    const ScriptedPrompt& p = Press(Replaced(WorkedEntry(), kAtS1, 6, {"1e39", ""}));
    EXPECT_EQ(p.Messages().back(), kConfirm3) << "S2 is not asked";
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_EQ(p.warnings[0], "计算未能完成。\n步骤：输入：第一条观测边长 S1\n"
                             "数值超出计算范围（溢出），请检查输入的座标和边长。");
    EXPECT_EQ(window.record().S1, 1e39);
    EXPECT_EQ(window.record().S1obs, 509.905f) << "the copy keeps the earlier figure's value";
    EXPECT_EQ(window.record().S2obs, 412.308f);
    EXPECT_EQ(Field("Text7"), " 1000000000000000000000000000000000000000.0000") << "the echo stays";
    ExpectWorkedResults();  // no result of the new figure was stored

    // At S3 the failure names S3, after S1 and S2 were taken.
    const ScriptedPrompt& q = Press(Replaced(WorkedEntry(), kAtS1, 6, {"600", "", "500", "", "-1e39", ""}));
    ASSERT_EQ(q.warnings.size(), 1u);
    EXPECT_NE(q.warnings[0].find("步骤：输入：第三条观测边长 S3\n"), std::string::npos) << q.warnings[0];
    EXPECT_EQ(window.record().S1obs, 600.0f);
    EXPECT_EQ(window.record().S2obs, 500.0f);
    EXPECT_EQ(window.record().S3obs, 474.345f);
    ExpectWorkedResults();
}

TEST_F(Calculate, EachPressEndsInOneEndingToldOnceToTheMemory)
{
    std::vector<std::string> told;
    window.memory().ended = [&](const CalculationEnding& e) {
        told.push_back(e.Complete() ? "complete" : e.Stopped() ? "stopped" : "cancelled at " + e.cancelledAt());
        EXPECT_EQ(window.trace().outcome(), e.Complete() ? CalculationTrace::Outcome::Complete
                                            : e.Stopped() ? CalculationTrace::Outcome::Stopped
                                                          : CalculationTrace::Outcome::Cancelled)
            << "the trace knows before the memory tells";
    };

    Press(WorkedEntry());
    ASSERT_TRUE(ending->Complete());
    EXPECT_EQ(ending->outcome()->record.m, 100162.203125f);
    EXPECT_EQ(window.memory().last->record.m, 100162.203125f);

    // Stopped in the entry: S1 has no single precision copy.
    Press(Replaced(WorkedEntry(), kAtS1, 6, {"1e39", ""}));
    ASSERT_TRUE(ending->Stopped());
    EXPECT_EQ(ending->failure()->step(), Step::ObservedS1) << StepText(ending->failure()->step());
    EXPECT_EQ(ending->outcome()->entered.S1, 1e39);
    EXPECT_EQ(window.memory().last->record.S1, 1e39) << "a stopped calculation's values are the last ones";

    // Stopped in the computation: B on A.
    Script onA = WorkedEntry();
    onA[kAtXb] = "2500";
    onA[kAtYb] = "2600";
    Press(onA);
    ASSERT_TRUE(ending->Stopped());
    EXPECT_LT(ending->failure()->step(), Step::Misclosure);

    Press({"1", "", "2", "", "3", "0", kCancel});
    ASSERT_TRUE(ending->Cancelled());
    EXPECT_EQ(ending->outcome(), nullptr);
    EXPECT_EQ(ending->failure(), nullptr);
    EXPECT_EQ(window.memory().last->record.Xb, 2500.0) << "the values kept are the stopped calculation's";

    Press({"1", "", kCancel});
    EXPECT_EQ(ending->cancelledAt(), "Text2");
    EXPECT_EQ(told, (std::vector<std::string>{"complete", "stopped", "stopped", "cancelled at Text3",
                                              "cancelled at Text2"}));
}

TEST_F(Calculate, ALineThatIsNotANumberIsAskedForAgain)
{
    const ScriptedPrompt& p = Press({"2500", "",                       // Xa accepted
                                     "abc", "", "1e999", "nan", "2600", // Ya after four bad lines
                                     "0", "2,5", "2650", "", kCancel}); // re-entry prompt, then a bad line there
    EXPECT_EQ(p.dialogue, (std::vector<std::string>{
                              "? " + kXa, "? " + kConfirm1, "? " + kYa, "! " + kNeedNumber, "? " + kYa,
                              "! " + kNeedNumber, "? " + kYa, "! " + kTooLarge, "? " + kYa, "! " + kNeedNumber,
                              "? " + kYa, "? " + kConfirm1, "? " + kYaAgain, "! " + kNeedNumber, "? " + kYaAgain,
                              "? " + kConfirm1, "? " + kXb}));
    // What was stored before stays, in the record and in its field.
    for (std::size_t i = 3; i <= 9; i += 2)
        EXPECT_EQ(p.asked[i].fields.at("Text1"), " 2500.000");
    EXPECT_EQ(window.record().Xa, 2500.0);
    EXPECT_EQ(window.record().Ya, 2650.0);
    EXPECT_EQ(Field("Text2"), " 2650.000");
}

TEST_F(Calculate, AConfirmationThatIsNeitherEmptyNorANumberIsAskedAgain)
{
    const ScriptedPrompt& p = Press({"2500", "", "2600", "", "3000", "", "3000", "yes", "0x", "", kCancel});
    EXPECT_EQ(p.Messages(), (std::vector<std::string>{kXa, kConfirm1, kYa, kConfirm1, kXb, kConfirm1, kYb, kConfirm2,
                                                      kConfirm2, kConfirm2, kXc}))
        << "the same confirmation, still the first ask of Yb";
    EXPECT_TRUE(p.warnings.empty());
    EXPECT_EQ(Field("Text4"), " 3000.000");
}

TEST_F(Calculate, CancelAtAValuePromptEndsQuietly)
{
    Press(WorkedEntry());
    const SurveyRecord before = window.record();

    // A second figure, cancelled at the Xc prompt.
    const ScriptedPrompt& p = Press({"100", "", "200", "", "300", "", "400", "", kCancel});
    EXPECT_TRUE(p.warnings.empty());
    EXPECT_EQ(Field("Text1"), " 100.000");
    EXPECT_EQ(Field("Text4"), " 400.000");
    EXPECT_EQ(Field("Text5"), " 2450.000") << "the first figure's text stays";
    EXPECT_EQ(Field("Text11"), "  P1");
    ExpectWorkedResults();
    EXPECT_EQ(window.record().Xb, 300.0);
    EXPECT_EQ(window.record().Xc, before.Xc);
    EXPECT_EQ(window.record().w, before.w);

    // Cancel at a re-entry prompt: the field had been emptied, the record keeps the typed value.
    Press({"7", "0", kCancel});
    EXPECT_EQ(Field("Text1"), "");
    EXPECT_EQ(window.record().Xa, 7.0);
    EXPECT_EQ(Field("Text2"), " 200.000");
}

TEST_F(Calculate, PointNameIsPlainTextOfAnyLengthAndCancelEndsThere)
{
    const std::string odd = "%s & <b>P1</b> 待定点" + std::string(200, 'x');
    Script s = WorkedEntry();
    s[kAtName] = odd;
    Press(s);
    EXPECT_EQ(window.record().PointName, odd);
    EXPECT_EQ(Field("Text11"), "  " + odd);
    ExpectWorkedResults();

    s[kAtName] = "";
    Press(s);
    EXPECT_EQ(window.record().PointName, "");
    EXPECT_EQ(Field("Text11"), "  ") << "an empty name leaves two blanks";

    s.resize(kAtName);
    s.push_back(kCancel);
    window.record().PointName = "before";
    const ScriptedPrompt& p = Press(s);
    EXPECT_EQ(p.Messages().back(), kName);
    EXPECT_EQ(window.record().PointName, "before");
    EXPECT_EQ(Field("Text11"), "  ");
}

TEST_F(Calculate, SecondFigureThatFailsAfterWLeavesTheFirstResults)
{
    Press(WorkedEntry());

    // P beyond A on the line BA: w is shown, then the condition has no coefficients.
    const ScriptedPrompt& p =
        Press({"0", "", "0", "", "3", "", "4", "", "3", "", "-4", "", "Q", "2", "", "7", "", "4.8373546", ""});
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_NE(p.warnings[0].find(StepText(Step::Coefficients)), std::string::npos) << p.warnings[0];
    EXPECT_NE(p.warnings[0].find("计算未能完成"), std::string::npos);
    EXPECT_EQ(Field("Text18"), "-265463.20秒") << "the new misclosure is shown";
    EXPECT_EQ(Field("Text1"), " 0.000");
    EXPECT_EQ(Field("Text11"), "  Q");
    for (const auto& [box, shown] : kWorkedResults) {
        if (box == "Text18")
            continue;
        EXPECT_EQ(Field(box.c_str()), shown) << box << " keeps the first figure's result";
    }

    // B on A: stops before any result; the message names the step and the cause.
    const ScriptedPrompt& q = Press(Replaced(WorkedEntry(), kAtXb, 4, {"2500", "", "2600", ""}));
    ASSERT_EQ(q.warnings.size(), 1u);
    EXPECT_NE(q.warnings[0].find(StepText(Step::AngleBAP)), std::string::npos) << q.warnings[0];
    EXPECT_NE(q.warnings[0].find("A 点与 B 点重合"), std::string::npos) << q.warnings[0];
}

TEST_F(Calculate, NothingIsClearedWhenTheCommandStarts)
{
    Press(WorkedEntry());
    window.SetText("Text1", "999");  // typed by hand: nothing reads it
    Script s = WorkedEntry();
    s[kAtXa] = "2400";
    const ScriptedPrompt& p = Press(s);
    EXPECT_EQ(p.asked[0].fields.at("Text1"), "999");
    EXPECT_EQ(p.asked[0].fields.at("Text18"), "-2.76秒");
    EXPECT_EQ(p.asked[1].fields.at("Text1"), " 2400.000");
    EXPECT_EQ(window.record().Xa, 2400.0);
}

// Records every write, to see the order the fields are written in.
class WriteLog final : public Fields {
public:
    void SetText(std::string_view name, const std::string&) override { names.emplace_back(name); }
    std::vector<std::string> names;
};

class Answers final : public PromptDialog {
public:
    explicit Answers(Script s) : script_(std::move(s)) {}
    std::optional<std::string> Ask(const std::string&) override { return script_.at(next_++); }
    void Warn(const std::string&) override { ADD_FAILURE(); }

private:
    Script script_;
    std::size_t next_ = 0;
};

TEST(CalculateOrder, NoteEchoesThenEachResultAsItIsStored)
{
    SurveyRecord record;
    WriteLog log;
    Answers answers(WorkedEntry());
    CalculationTrace trace;
    CalculationMemory memory;
    Command1_Click(record, log, answers, trace, memory);
    const std::vector<std::string> expected{
        "Text26", "Text1",  "Text1",  "Text2",  "Text2",  "Text3",  "Text3",  "Text4",  "Text4",  "Text5",
        "Text5",  "Text6",  "Text6",  "Text11", "Text7",  "Text7",  "Text8",  "Text8",  "Text9",  "Text9",
        "Text18", "Text19", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17", "Text20", "Text21",
        "Text22", "Text23", "Text24", "Text25"};
    EXPECT_EQ(log.names, expected);
}

}  // namespace
}  // namespace corvanet
