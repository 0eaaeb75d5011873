#pragma once
// The texts the window's fields would show after one calculation: the
// entry's echoes and note, then each result as the engine stores it.
#include <map>
#include <optional>
#include <string>

#include "engine/outcome.h"

namespace corvanet {

struct TextedCalculation {
    std::map<std::string, std::string> texts;  // by control name, "Text1" … "Text26"
    std::optional<CalculationFailure> failure;
    CalculationOutcome outcome;  // the same calculation kept whole: the inputs, the ellipse and the checks
};

// Runs the calculation on `record` (inputs already stored).
TextedCalculation CalculateWithTexts(SurveyRecord& record);

}  // namespace corvanet
