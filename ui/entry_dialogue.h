#pragma once
// The entry's dialogue with the user: the ten inputs asked for one at a time,
// each echoed into its box and confirmed or entered again, the trace told as
// each is asked for and stored.
#include <map>
#include <optional>
#include <string>

#include "engine/survey_record.h"
#include "text/calculation_ending.h"
#include "text/entry_inputs.h"
#include "ui/fields.h"
#include "ui/prompt_dialog.h"

namespace corvanet {

class CalculationTrace;

class Entry {
public:
    // `accepted` holds, by value prompt, the line it accepted last: the Up
    // arrow brings it back, and each prompt's new line replaces it.
    Entry(SurveyRecord& record, Fields& fields, PromptDialog& prompt, CalculationTrace& trace,
          std::map<std::string, std::string>& accepted)
        : record_(record), fields_(fields), prompt_(prompt), trace_(trace), accepted_(accepted) {}

    // Asks for the ten inputs in turn. Nothing when all are stored; the
    // ending when the entry itself ended the calculation: cancelled at a
    // prompt, or stopped because an accepted distance has no single
    // precision copy.
    std::optional<CalculationEnding> Run();

private:
    std::optional<CalculationEnding> Number(const EntryInput& in);
    std::optional<CalculationEnding> PointName(const EntryInput& in);
    void Echo(const EntryInput& in);
    bool AskValue(const char* message, double& value);
    bool WantsReentry(const char* confirmation);
    std::string Recall(const char* prompt) const;

    SurveyRecord& record_;
    Fields& fields_;
    PromptDialog& prompt_;
    CalculationTrace& trace_;
    std::map<std::string, std::string>& accepted_;
    std::string recall_;  // what Up brings back at the prompts of the value being entered
    std::string line_;    // the line of the value as it now stands
};

}  // namespace corvanet
