#pragma once
// The computation of one Calculate: adjustment, coordinates, precision.
#include <optional>

#include "engine/failure.h"
#include "engine/precision.h"

namespace corvanet {

// Everything the three stages computed on the way, for tests and tools.
struct CalculationValues {
    AdjustmentValues adjustment;
    CoordinateValues coordinates;
    PrecisionValues precision;
};

// Runs the three stages on the inputs in `record`. Throws CalculationFailure
// at the failing step, with the record as it stood at that moment and
// `coefficients` set if the adjustment got as far as them.
CalculationValues Calculate(SurveyRecord& record, ResultSink& sink, std::optional<ConditionCoefficients>& coefficients);
CalculationValues Calculate(SurveyRecord& record, ResultSink& sink);

// The same, with the failure returned instead of thrown.
std::optional<CalculationFailure> TryCalculate(SurveyRecord& record, ResultSink& sink);

}  // namespace corvanet
