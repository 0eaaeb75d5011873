#pragma once
// One calculation as it is kept for the sketch, the copy and the tools: the
// inputs as entered, the record as the calculation left it, how it ended, and
// the ellipse and the checks, which are worked out after m and live beside
// the record, not in it.
#include <array>
#include <optional>
#include <string>

#include "engine/checks.h"
#include "engine/ellipse.h"

namespace corvanet {

struct CalculationExtras {
    ErrorEllipse ellipse;
    AdjustmentChecks checks;
};

struct CalculationOutcome {
    SurveyRecord entered;  // the inputs; S1..S3 still the measured distances
    SurveyRecord record;   // as the calculation left it
    std::optional<CalculationFailure> failure;
    std::optional<CalculationExtras> extras;  // present only when the calculation is complete
    // The condition's, once the adjustment got as far as them; the misclosure
    // is tested with them.
    std::optional<ConditionCoefficients> coefficients = std::nullopt;
    // The known points A, B and C were picked by, by name; empty where their
    // coordinates were typed.
    std::array<std::string, 3> knownPoints = {};

    bool Complete() const { return !failure; }
    // P stands in the record: the coordinates step ran to its end, even if a
    // later step failed.
    bool PointComputed() const;
};

// Runs the calculation on `record` (inputs stored) and keeps what it leaves.
// The failure is returned, not thrown; the extras never fail it.
CalculationOutcome CalculateOutcome(SurveyRecord& record, ResultSink& sink);

// The same without the copies: the record is left as the calculation left
// it, `extras` is set when it completes, `coefficients` once the adjustment
// reached them, and the failure is returned.
std::optional<CalculationFailure> CalculateInPlace(SurveyRecord& record, ResultSink& sink,
                                                   std::optional<CalculationExtras>& extras,
                                                   std::optional<ConditionCoefficients>& coefficients);

}  // namespace corvanet
