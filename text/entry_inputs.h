#pragma once
// The ten inputs of a figure in the order the Calculate command asks for
// them: where each is stored, which box echoes it and how, and the texts of
// its prompts. The window's entry and the command-line tool both read this
// table, so which box shows which input is written once.
#include <span>
#include <string>

#include "engine/survey_record.h"

namespace corvanet {

enum class EchoRule { Coordinate, Distance, PointName };

struct EntryInput {
    double SurveyRecord::*value;  // null for the point name, which is text
    const char* box;
    const char* label;  // the name the user knows it by, in messages
    EchoRule echo;
    const char* prompt;
    const char* reentryPrompt;      // asked after a confirmation answered 0
    const char* firstConfirmation;  // asked after the first value
    const char* laterConfirmation;  // asked after each value entered again
    bool echoAfterReentry;          // Yc's box stays empty until the value is accepted
    int observedSide;               // 1..3: S1obs..S3obs are taken when S1..S3 are accepted; else 0
};

// The ten rows, Xa first and S3 last.
std::span<const EntryInput> EntryInputs();

// The text `input`'s box shows for the value `record` holds.
std::string EchoText(const EntryInput& input, const SurveyRecord& record);

}  // namespace corvanet
