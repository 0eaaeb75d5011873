#include "ui/entry_dialogue.h"

#include "engine/adjustment.h"
#include "text/calculation_trace.h"
#include "text/display_rules.h"
#include "text/number_reading.h"

namespace corvanet {

std::optional<CalculationEnding> Entry::Run()
{
    for (const EntryInput& in : EntryInputs())
        if (auto ending = in.value ? Number(in) : PointName(in)) return ending;
    return std::nullopt;
}

std::optional<CalculationEnding> Entry::Number(const EntryInput& in)
{
    double& value = record_.*in.value;
    recall_ = Recall(in.prompt);
    trace_.Entering(in.box);
    if (!AskValue(in.prompt, value))
        return CalculationEnding::CancelledAt(in.box);
    trace_.Stored(in.box);
    Echo(in);
    for (const char* confirmation = in.firstConfirmation; WantsReentry(confirmation);
         confirmation = in.laterConfirmation) {
        fields_.SetText(in.box, "");
        if (!AskValue(in.reentryPrompt, value))
            return CalculationEnding::CancelledAt(in.box);
        if (in.echoAfterReentry)
            Echo(in);
    }
    Echo(in);
    if (in.observedSide != 0) {
        // The engine says this by throwing; the entry ends like any stopped
        // calculation, the record as it stands.
        try {
            TakeObservedCopy(record_, in.observedSide);
        } catch (const CalculationFailure& failure) {
            return CalculationEnding::Finished(CalculationOutcome{record_, record_, failure, std::nullopt});
        }
    }
    accepted_[in.prompt] = line_;
    return std::nullopt;
}

std::optional<CalculationEnding> Entry::PointName(const EntryInput& in)
{
    trace_.Entering(in.box);
    const auto name = prompt_.AskRecalling(in.prompt, Recall(in.prompt));
    if (!name)
        return CalculationEnding::CancelledAt(in.box);
    accepted_[in.prompt] = *name;
    record_.PointName = *name;
    trace_.Stored(in.box);
    Echo(in);
    return std::nullopt;
}

void Entry::Echo(const EntryInput& in) { fields_.SetText(in.box, EchoText(in, record_)); }

// Stores the number typed at `message`; a line that is not a number is asked
// for again. False when the user cancelled.
bool Entry::AskValue(const char* message, double& value)
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
bool Entry::WantsReentry(const char* confirmation)
{
    for (;;) {
        const auto answer = prompt_.Ask(confirmation);
        if (!answer || answer->empty())
            return false;
        if (const auto number = ReadNumber(*answer))
            return *number == 0.0;
    }
}

std::string Entry::Recall(const char* prompt) const
{
    const auto it = accepted_.find(prompt);
    return it == accepted_.end() ? std::string() : it->second;
}

}  // namespace corvanet
