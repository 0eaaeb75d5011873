#include "ui/calculate_command.h"

#include "engine/adjustment.h"
#include "engine/outcome.h"
#include "text/display_rules.h"
#include "text/entry_inputs.h"
#include "text/number_reading.h"
#include "ui/traced_fields.h"
#include "ui/traced_fields.h"

namespace corvanet {
namespace {

// The entry's dialogue with the user. Each step answers false when the user
// cancelled a value prompt; the calculation then ends where it stands.
class Entry {
public:
    Entry(SurveyRecord& record, Fields& fields, PromptDialog& prompt, CalculationTrace& trace,
          std::map<std::string, std::string>* accepted)
        : record_(record), fields_(fields), prompt_(prompt), trace_(trace), accepted_(accepted) {}

    // Throws CalculationFailure when an accepted distance has no single
    // precision copy.
    bool Take(const EntryInput& in) { return in.value ? Number(in) : PointName(in); }

private:
    bool Number(const EntryInput& in)
    {
        double& value = record_.*in.value;
        recall_ = Recall(in.prompt);
        trace_.Entering(in.box);
        if (!AskValue(in.prompt, value))
            return false;
        trace_.Stored(in.box);
        Echo(in);
        for (const char* confirmation = in.firstConfirmation; WantsReentry(confirmation);
             confirmation = in.laterConfirmation) {
            fields_.SetText(in.box, "");
            if (!AskValue(in.reentryPrompt, value))
                return false;
            if (in.echoAfterReentry)
                Echo(in);
        }
        Echo(in);
        if (in.observedSide != 0)
            TakeObservedCopy(record_, in.observedSide);
        Remember(in.prompt, line_);
        return true;
    }

    bool PointName(const EntryInput& in)
    {
        trace_.Entering(in.box);
        const auto name = prompt_.AskRecalling(in.prompt, Recall(in.prompt));
        if (!name)
            return false;
        Remember(in.prompt, *name);
        record_.PointName = *name;
        trace_.Stored(in.box);
        Echo(in);
        return true;
    }

    void Echo(const EntryInput& in) { fields_.SetText(in.box, EchoText(in, record_)); }

    // Stores the number typed at `message`; a line that is not a number is
    // asked for again.
    bool AskValue(const char* message, double& value)
    {
        for (;;) {
            const auto line = prompt_.AskRecalling(message, recall_);
            if (!line)
                return false;
            const NumberReading number = ReadNumberTelling(*line);
            if (number.value) {
                value = *number.value;
                line_ = *line;
                return true;
            }
            prompt_.Warn(NumberWarning(number.problem));
        }
    }

    // Empty (Enter, OK or Cancel) or a number other than zero accepts; a zero
    // asks for the value again; anything else asks the same question again.
    bool WantsReentry(const char* confirmation)
    {
        for (;;) {
            const auto answer = prompt_.Ask(confirmation);
            if (!answer || answer->empty())
                return false;
            if (const auto number = ReadNumber(*answer))
                return *number == 0.0;
        }
    }

    std::string Recall(const char* prompt) const
    {
        if (!accepted_) return {};
        const auto it = accepted_->find(prompt);
        return it == accepted_->end() ? std::string() : it->second;
    }
    void Remember(const char* prompt, const std::string& line)
    {
        if (accepted_) (*accepted_)[prompt] = line;
    }

    SurveyRecord& record_;
    Fields& fields_;
    PromptDialog& prompt_;
    CalculationTrace& trace_;
    std::map<std::string, std::string>* accepted_;  // null: no recall
    std::string recall_;  // what Up brings back at the prompts of the value being entered
    std::string line_;    // the line of the value as it now stands
};

std::string FailureText(const CalculationFailure& failure)
{
    return std::string("计算未能完成。\n步骤：") + StepText(failure.step()) + "\n" + failure.message();
}

// A calculation that ran (or stopped) is the last one; one cancelled in the
// entry leaves the last one as it was, now from an earlier calculation.
void KeepOutcome(CalculationMemory& memory, std::optional<CalculationOutcome> outcome)
{
    memory.last.cancelledSince = !outcome;
    if (outcome) memory.last.outcome = std::move(outcome);
    if (memory.calculated) memory.calculated();
}

}  // namespace

void Command1_Click(SurveyRecord& record, Fields& fields, PromptDialog& prompt, CalculationMemory* memory)
{
    CalculationTrace untold;
    Command1_Click(record, fields, prompt, untold, memory);
}

void Command1_Click(SurveyRecord& record, Fields& windowFields, PromptDialog& prompt, CalculationTrace& trace,
                    CalculationMemory* memory)
{
    trace.Begin();
    TracedFields fields(windowFields, trace);
    fields.SetText("Text26", kOrderNote);

    // One road for a failure, at entry or in the computation: it stops the
    // calculation and the fields keep what they hold, marked.
    Entry entry(record, fields, prompt, trace, memory ? &memory->accepted : nullptr);
    std::optional<CalculationOutcome> outcome;
    try {
        for (const EntryInput& input : EntryInputs()) {
            if (!entry.Take(input)) {
                trace.Cancelled();  // what is stored and shown stays as it is, marked
                if (memory) KeepOutcome(*memory, std::nullopt);
                return;
            }
        }
    } catch (const CalculationFailure& failure) {
        outcome = CalculationOutcome{record, record, failure, std::nullopt};
    }
    if (!outcome) {
        BoxTextSink sink([&fields](const char* box, const std::string& text) { fields.SetText(box, text); });
        outcome = CalculateOutcome(record, sink);
    }
    const std::optional<CalculationFailure> failure = outcome->failure;
    if (failure)
        trace.Stopped(*failure);
    else
        trace.Complete();
    if (memory) KeepOutcome(*memory, std::move(outcome));
    if (failure)
        prompt.Warn(FailureText(*failure));
}

}  // namespace corvanet
