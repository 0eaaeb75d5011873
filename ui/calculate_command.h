#pragma once
// The Calculate command: the ten inputs asked for one at a time, each echoed
// into its field and confirmed or entered again, then the computation with
// every result written into its box as it is stored.
#include "engine/survey_record.h"
#include "text/calculation_ending.h"
#include "ui/calculation_memory.h"
#include "ui/fields.h"
#include "ui/prompt_dialog.h"

namespace corvanet {

class CalculationTrace;

// Bound to the Calculate button. Returns when the results are shown, when
// the user cancelled a value prompt (everything stored so far stays), or
// when the figure failed (said through `prompt.Warn`). `trace` is told which
// values the calculation stores and writes as it goes; how it ended goes to
// `trace`, then to `memory`, then, for a failure, to the user. The value
// prompts recall the lines `memory` holds.
CalculationEnding Command1_Click(SurveyRecord& record, Fields& fields, PromptDialog& prompt, CalculationTrace& trace,
                                 CalculationMemory& memory);

}  // namespace corvanet
