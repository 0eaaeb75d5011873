#pragma once
// The Calculate command: the ten inputs asked for one at a time, each echoed
// into its field and confirmed or entered again, then the computation with
// every result written into its box as it is stored.
#include <string>
#include <string_view>

#include "ui/prompt_dialog.h"
#include "engine/survey_record.h"

namespace corvanet {

class CalculationTrace;

// The window's single-line fields, written by name. Nothing reads them back:
// the record holds the values.
class Fields {
public:
    virtual ~Fields() = default;
    virtual void SetText(std::string_view name, const std::string& text) = 0;
};

// Bound to the Calculate button. Returns when the results are shown, when
// the user cancelled a value prompt (everything stored so far stays), or
// when the figure failed (said through `prompt.Warn`).
void Command1_Click(SurveyRecord& record, Fields& fields, PromptDialog& prompt);
// The same, telling `trace` which values the calculation stores and writes,
// and how it ends.
void Command1_Click(SurveyRecord& record, Fields& fields, PromptDialog& prompt, CalculationTrace& trace);

}  // namespace corvanet
