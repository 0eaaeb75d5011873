#include "ui/calculate_command.h"

#include "engine/outcome.h"
#include "text/calculation_trace.h"
#include "text/display_rules.h"
#include "ui/entry_dialogue.h"
#include "ui/traced_fields.h"

namespace corvanet {
namespace {

std::string FailureText(const CalculationFailure& failure)
{
    return std::string("计算未能完成。\n步骤：") + StepText(failure.step()) + "\n" + failure.message();
}

// The trace first, so that whatever the memory tells already sees the
// calculation's marks; the warning last, over a window that shows them.
void HandOn(const CalculationEnding& ending, CalculationTrace& trace, CalculationMemory& memory, PromptDialog& prompt)
{
    trace.Ended(ending);
    memory.Keep(ending);
    if (const CalculationFailure* failure = ending.failure())
        prompt.Warn(FailureText(*failure));
}

}  // namespace

CalculationEnding Command1_Click(SurveyRecord& record, Fields& windowFields, PromptDialog& prompt,
                                 CalculationTrace& trace, CalculationMemory& memory)
{
    trace.Begin();
    TracedFields fields(windowFields, trace);
    fields.SetText("Text26", kOrderNote);

    // A failure at entry or in the computation stops the calculation alike:
    // the fields keep what they hold, marked.
    Entry entry(record, fields, prompt, trace, memory.accepted, memory.knownPoints);
    std::optional<CalculationEnding> ending = entry.Run();
    if (!ending) {
        BoxTextSink sink([&fields](const char* box, const std::string& text) { fields.SetText(box, text); });
        CalculationOutcome outcome = CalculateOutcome(record, sink);
        outcome.knownPoints = entry.knownPoints();
        ending = CalculationEnding::Finished(std::move(outcome));
    }
    HandOn(*ending, trace, memory, prompt);
    return std::move(*ending);
}

}  // namespace corvanet
