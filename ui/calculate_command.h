#pragma once
// The Calculate command: the ten inputs asked for one at a time, each echoed
// into its field and confirmed or entered again, then the computation with
// every result written into its box as it is stored.
#include "ui/calculation_memory.h"
#include "engine/survey_record.h"
#include "ui/fields.h"
#include "ui/prompt_dialog.h"

namespace corvanet {

class CalculationTrace;

// Bound to the Calculate button. Returns when the results are shown, when
// the user cancelled a value prompt (everything stored so far stays), or
// when the figure failed (said through `prompt.Warn`). With `memory`, the
// value prompts recall the lines accepted last time, and how the calculation
// ended is kept there.
void Command1_Click(SurveyRecord& record, Fields& fields, PromptDialog& prompt, CalculationMemory* memory = nullptr);
// The same, telling `trace` which values the calculation stores and writes,
// and how it ends.
void Command1_Click(SurveyRecord& record, Fields& fields, PromptDialog& prompt, CalculationTrace& trace,
                    CalculationMemory* memory = nullptr);

}  // namespace corvanet
