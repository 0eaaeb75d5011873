// Which values belong to the figure entered, by how the last calculation ended.
#include <gtest/gtest.h>

#include "text/calculation_trace.h"
#include "text/display_rules.h"

namespace corvanet {
namespace {

using V = ReportValue;
using Outcome = CalculationTrace::Outcome;

std::map<std::string, std::string> Written(std::initializer_list<ResultField> results)
{
    std::map<std::string, std::string> texts;
    for (ResultField f : results) texts[ResultBoxName(f)] = "x";
    return texts;
}

TEST(CalculationTrace, KAndTheAdjustedDistancesFollowTheStepThatStopped)
{
    // k is stored by the correlate step, the adjusted distances after ms.
    const CalculationTrace atCorrelate =
        TraceOfWholeEntry(Written({ResultField::w}), CalculationFailure(Step::Correlate, ArithmeticFault{Fault::DivisionByZero}));
    EXPECT_FALSE(atCorrelate.IsCurrent(V::k));
    EXPECT_FALSE(atCorrelate.IsCurrent(V::s1));
    const CalculationTrace atCorrections =
        TraceOfWholeEntry(Written({ResultField::w}), CalculationFailure(Step::Corrections, ArithmeticFault{Fault::Overflow}));
    EXPECT_TRUE(atCorrections.IsCurrent(V::k));
    EXPECT_FALSE(atCorrections.IsCurrent(V::s3));
    EXPECT_FALSE(atCorrections.IsCurrent(V::ms));
    const CalculationTrace atXp1 = TraceOfWholeEntry(Written({ResultField::w, ResultField::ms}),
                                                     CalculationFailure(Step::CoordinateXp1, ArithmeticFault{Fault::Overflow}));
    EXPECT_TRUE(atXp1.IsCurrent(V::s2));
    EXPECT_TRUE(atXp1.IsCurrent(V::ms));
    EXPECT_FALSE(atXp1.IsCurrent(V::xp1));
    EXPECT_TRUE(atXp1.IsCurrent(V::S3obs));
    EXPECT_TRUE(atXp1.IsCurrent(V::PointName));
    EXPECT_TRUE(atXp1.IsStale("Text12"));
    EXPECT_FALSE(atXp1.IsStale("Text19"));
}

const char* const kEarlierResults = "最近一次计算在输入时已取消，这里是上一次计算的结果。";

void CancelAtTheFirstPrompt(CalculationTrace& trace)
{
    trace.Begin();
    trace.Entering("Text1");
    trace.Ended(CalculationEnding::CancelledAt("Text1"));
}

TEST(CalculationTrace, CancelAtTheFirstPromptKeepsTheLastOutcomeAndItsNote)
{
    CalculationTrace trace;
    trace.Begin();
    trace.Entering("Text1");
    trace.Stored("Text1");
    trace.Entering("Text2");
    trace.Ended(CalculationEnding::CancelledAt("Text2"));
    const std::string note = trace.IncompleteNote();
    EXPECT_EQ(note, "注意：最近一次计算没有完成，输入在 Ya 处取消。");
    EXPECT_EQ(trace.EarlierResultsNote(), kEarlierResults);
    EXPECT_TRUE(trace.IsCurrent(V::Xa));
    EXPECT_FALSE(trace.IsCurrent(V::Ya));

    CancelAtTheFirstPrompt(trace);
    EXPECT_EQ(trace.outcome(), Outcome::Cancelled);
    EXPECT_EQ(trace.IncompleteNote(), note) << "nothing was stored: the earlier state stands";
    EXPECT_EQ(trace.EarlierResultsNote(), kEarlierResults);
    EXPECT_TRUE(trace.IsCurrent(V::Xa));
}

TEST(CalculationTrace, ResultsAreAnEarlierCalculationsOnlyAfterACancelThatStoredSomething)
{
    const CalculationFailure atXp1(Step::CoordinateXp1, ArithmeticFault{Fault::Overflow});
    for (const std::optional<CalculationFailure>& failure : {std::optional<CalculationFailure>{}, std::optional{atXp1}}) {
        CalculationTrace trace = TraceOfWholeEntry(Written({ResultField::w}), failure);
        const Outcome ended = trace.outcome();
        const std::string note = trace.IncompleteNote();
        EXPECT_TRUE(trace.EarlierResultsNote().empty()) << "the results are this calculation's";

        CancelAtTheFirstPrompt(trace);
        EXPECT_EQ(trace.outcome(), ended);
        EXPECT_EQ(trace.IncompleteNote(), note);
        EXPECT_TRUE(trace.EarlierResultsNote().empty()) << "a cancel that stored nothing changes nothing";
        EXPECT_EQ(trace.IsStale("Text12"), failure.has_value());
    }
    EXPECT_TRUE(CalculationTrace{}.EarlierResultsNote().empty());
}

TEST(CalculationTrace, DistanceIsCurrentOnlyOnceItsEntryHasEnded)
{
    CalculationTrace trace;
    trace.Begin();
    for (const char* box : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text11", "Text7"}) {
        trace.Entering(box);
        trace.Stored(box);
    }
    trace.Ended(CalculationEnding::CancelledAt("Text7"));  // at S1's re-entry prompt: S1 typed, its observed copy not taken
    EXPECT_FALSE(trace.IsCurrent(V::S1obs));
    EXPECT_TRUE(trace.IsCurrent(V::PointName));
    EXPECT_EQ(trace.IncompleteNote(), "注意：最近一次计算没有完成，输入在 S1 处取消。");
}

}  // namespace
}  // namespace corvanet
