// The batch's calculation in place against the one that keeps copies: the
// same record, failure and extras, for figures that finish and for each
// way a figure stops.
#include <gtest/gtest.h>

#include "cli/extras_json.h"
#include "cli/figure_calculation.h"
#include "cli/record_json.h"

namespace corvanet {
namespace {

SurveyRecord Figure(double xa, double ya, double xc, double yc, double s1, double s2, double s3)
{
    SurveyRecord r;
    r.PointName = "P";
    r.Xa = xa, r.Ya = ya, r.Xb = 3000, r.Yb = 3000, r.Xc = xc, r.Yc = yc;
    r.S1 = s1, r.S2 = s2, r.S3 = s3;
    return r;
}

TEST(CalculateFigureInPlace, LeavesWhatTheCopyingCalculationKeeps)
{
    const SurveyRecord figures[] = {
        Figure(2500, 2600, 2450, 3550, 509.905, 412.308, 474.345),  // the worked figure
        Figure(2450, 3550, 2500, 2600, 509.905, 412.308, 474.345),  // A and C swapped: stops in the adjustment
        Figure(2500, 2600, 2450, 3550, 509.905, 1e39, 474.345),     // S2's single overflows on entry
        Figure(2500, 2600, 2500, 2600, 509.905, 412.308, 474.345),  // A and C in one place: stops in the coordinates
        Figure(2500, 2600, 2450, 3550, 5, 4, 4.5),                  // distances that cannot meet: stops in the adjustment
    };
    NullSink sink;
    int failed = 0;
    for (const SurveyRecord& figure : figures) {
        SurveyRecord kept = figure;
        const CalculationOutcome outcome = CalculateFigure(kept, sink);
        SurveyRecord inPlace = figure;
        std::optional<CalculationExtras> extras = CalculationExtras{};  // left over from a figure before
        std::optional<ConditionCoefficients> coefficients = ConditionCoefficients{1, 2, 3};
        const std::optional<CalculationFailure> failure = CalculateFigureInPlace(inPlace, sink, extras, coefficients);

        EXPECT_EQ(RecordJson(inPlace).dump(), RecordJson(outcome.record).dump());
        EXPECT_EQ(FailureJson(failure).dump(), FailureJson(outcome.failure).dump());
        EXPECT_EQ(EllipseJson(extras).dump(), EllipseJson(outcome.extras).dump());
        EXPECT_EQ(ChecksJson(extras).dump(), ChecksJson(outcome.extras).dump());
        ASSERT_EQ(coefficients.has_value(), outcome.coefficients.has_value());
        if (coefficients) {
            EXPECT_EQ(coefficients->a2, outcome.coefficients->a2);
        }
        failed += failure.has_value();
    }
    EXPECT_EQ(failed, 4) << "each way of stopping is tried";
}

}  // namespace
}  // namespace corvanet
