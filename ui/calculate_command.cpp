#include "ui/calculate_command.h"

#include "engine/adjustment.h"
#include "engine/calculation.h"
#include "engine/constants.h"
#include "text/display_rules.h"
#include "text/entry_inputs.h"
#include "text/number_reading.h"

namespace corvanet {
namespace {

constexpr const char* kNeedNumber = "请输入一个数值。";

// The entry's dialogue with the user. Each step answers false when the user
// cancelled a value prompt; the calculation then ends where it stands.
class Entry {
public:
    Entry(SurveyRecord& record, Fields& fields, PromptDialog& prompt)
        : record_(record), fields_(fields), prompt_(prompt) {}

    // Throws CalculationFailure when an accepted distance has no single
    // precision copy.
    bool Take(const EntryInput& in) { return in.value ? Number(in) : PointName(in); }

private:
    bool Number(const EntryInput& in)
    {
        double& value = record_.*in.value;
        if (!AskValue(in.prompt, value))
            return false;
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
        return true;
    }

    bool PointName(const EntryInput& in)
    {
        const auto name = prompt_.Ask(in.prompt);
        if (!name)
            return false;
        record_.PointName = *name;
        Echo(in);
        return true;
    }

    void Echo(const EntryInput& in) { fields_.SetText(in.box, EchoText(in, record_)); }

    // Stores the number typed at `message`; a line that is not a number is
    // asked for again.
    bool AskValue(const char* message, double& value)
    {
        for (;;) {
            const auto line = prompt_.Ask(message);
            if (!line)
                return false;
            if (const auto number = ReadNumber(*line)) {
                value = *number;
                return true;
            }
            prompt_.Warn(kNeedNumber);
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

    SurveyRecord& record_;
    Fields& fields_;
    PromptDialog& prompt_;
};

std::string FailureText(const CalculationFailure& failure)
{
    return std::string("计算未能完成。\n步骤：") + StepText(failure.step()) + "\n" + failure.message();
}

}  // namespace

void Command1_Click(SurveyRecord& record, Fields& fields, PromptDialog& prompt)
{
    const Constants k = SetUpConstants();
    fields.SetText("Text26", kOrderNote);

    // One road for a failure, at entry or in the computation: it stops the
    // calculation and the fields keep what they hold.
    try {
        Entry entry(record, fields, prompt);
        for (const EntryInput& input : EntryInputs())
            if (!entry.Take(input))
                return;  // cancelled: what is stored and shown stays as it is

        BoxTextSink sink([&fields](const char* box, const std::string& text) { fields.SetText(box, text); });
        Calculate(record, k, sink);
    } catch (const CalculationFailure& failure) {
        prompt.Warn(FailureText(failure));
    }
}

}  // namespace corvanet
