#pragma once
// The entry's dialogue with the user: the ten inputs asked for one at a time,
// each echoed into its box and confirmed or entered again, the trace told as
// each is asked for and stored.
#include <array>
#include <map>
#include <optional>
#include <string>

#include "engine/survey_record.h"
#include "text/calculation_ending.h"
#include "text/entry_inputs.h"
#include "ui/fields.h"
#include "ui/known_point_book.h"
#include "ui/prompt_dialog.h"

namespace corvanet {

class CalculationTrace;

class Entry {
public:
    // `accepted` holds, by value prompt, the line it accepted last: the Up
    // arrow brings it back, and each prompt's new line replaces it.
    // At the X prompts of A, B and C the name of a point in `book` stands for
    // its X, and the Y prompt that follows starts with its Y.
    Entry(SurveyRecord& record, Fields& fields, PromptDialog& prompt, CalculationTrace& trace,
          std::map<std::string, std::string>& accepted, const KnownPointBook* book = nullptr)
        : record_(record), fields_(fields), prompt_(prompt), trace_(trace), accepted_(accepted), book_(book) {}

    // Asks for the ten inputs in turn. Nothing when all are stored; the
    // ending when the entry itself ended the calculation: cancelled at a
    // prompt, or stopped because an accepted distance has no single
    // precision copy.
    std::optional<CalculationEnding> Run();

    // The known points A, B and C were picked by, once entered: a name where
    // both the X and the Y are the point's.
    const std::array<std::string, 3>& knownPoints() const { return names_; }

private:
    std::optional<CalculationEnding> Number(const EntryInput& in);
    std::optional<CalculationEnding> PointName(const EntryInput& in);
    void Echo(const EntryInput& in);
    bool AskValue(const char* message, double& value, const EntryInput& in);
    bool WantsReentry(const char* confirmation, const EntryInput& in);
    std::string Recall(const char* prompt) const;

    SurveyRecord& record_;
    Fields& fields_;
    PromptDialog& prompt_;
    CalculationTrace& trace_;
    std::map<std::string, std::string>& accepted_;
    std::string recall_;  // what Up brings back at the prompts of the value being entered
    std::string line_;    // the line of the value as it now stands
    const KnownPointBook* book_;
    std::optional<KnownPointBook::Point> picked_;   // the point whose X the value now standing is
    std::optional<KnownPointBook::Point> pending_;  // the point whose X was accepted, until its Y is
    std::array<std::string, 3> names_;
};

}  // namespace corvanet
