#include "ui/calculation_replay.h"

#include "text/entry_inputs.h"
#include "text/result_columns.h"
#include "ui/calculate_command.h"
#include "ui/main_window.h"
#include "ui/window_layout.h"

namespace corvanet {
namespace {

// Answers the entry's prompts from a stored calculation: each value as the
// shortest line that reads back to the same double, each confirmation with
// Enter. Anything else (an input it does not have) cancels.
class StoredAnswers final : public PromptDialog {
public:
    explicit StoredAnswers(const StoredCalculation& stored) : stored_(stored) {}

    std::optional<std::string> Ask(const std::string& message) override
    {
        int entered = 0;
        for (const EntryInput& in : EntryInputs()) {
            if (in.value) {
                if (message == in.firstConfirmation || message == in.laterConfirmation) return std::string();
                if (message == in.prompt) {
                    if (entered >= stored_.inputsEntered) return std::nullopt;
                    return TableNumber(stored_.inputs.*in.value);
                }
                ++entered;
            } else if (message == in.prompt) {
                if (!stored_.pointNameEntered) return std::nullopt;
                return stored_.inputs.PointName;
            }
        }
        return std::nullopt;
    }
    void Warn(const std::string&) override {}

private:
    const StoredCalculation& stored_;
};

}  // namespace

CalculationEnding ReplayCalculation(MainWindow& window, const StoredCalculation& stored)
{
    // Boxes the calculation does not reach stay empty, never an earlier
    // calculation's.
    for (const ControlRow& row : Controls())
        if (row.kind == ControlKind::Text) window.SetText(row.name, "");
    StoredAnswers answers(stored);
    CalculationEnding ending = Command1_Click(window.record(), window, answers, window.trace(), window.memory());
    // The values were typed as numbers: the names they came by are the job's.
    if (window.memory().last && !ending.Cancelled()) window.memory().last->knownPoints = stored.knownPoints;
    window.ShowWithMeter(stored.meter);
    return ending;
}

}  // namespace corvanet
