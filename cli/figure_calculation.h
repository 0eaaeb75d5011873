#pragma once
// The calculation of one figure read by the command-line tool.
#include <optional>

#include "engine/outcome.h"

namespace corvanet {

// Takes the single copies of the measured distances, as the prompts take
// them on entry, then runs the adjustment, coordinates and precision. A
// distance whose copy overflows stops it there like any other failure,
// with nothing stored past it.
CalculationOutcome CalculateFigure(SurveyRecord& record, ResultSink& sink);

// The same, leaving the record as the calculation left it and no copy of it
// (the batch's way): the failure, if any; `extras` is set when there is none,
// `coefficients` once the adjustment reached them.
std::optional<CalculationFailure> CalculateFigureInPlace(SurveyRecord& record, ResultSink& sink,
                                                         std::optional<CalculationExtras>& extras,
                                                         std::optional<ConditionCoefficients>& coefficients);

}  // namespace corvanet
