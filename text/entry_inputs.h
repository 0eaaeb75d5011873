#pragma once
// The ten inputs of a figure in the order the Calculate command asks for
// them and the texts of their prompts. Where each is stored and which box
// echoes it, and how, is its row of the record's fields.
#include <span>
#include <string>

#include "text/record_fields.h"

namespace corvanet {

struct EntryInput {
    const RecordField* field;
    double SurveyRecord::*value;  // the field's number; null for the point name, which is text
    const char* box;              // the field's box
    const char* label;  // the name the user knows it by, in messages
    const char* prompt;
    const char* reentryPrompt;      // asked after a confirmation answered 0
    const char* firstConfirmation;  // asked after the first value
    const char* laterConfirmation;  // asked after each value entered again
    bool echoAfterReentry;          // Yc's box stays empty until the value is accepted
    const RecordField* observed;    // S1obs..S3obs, taken when S1..S3 are accepted; else null
    int observedSide;               // 1..3 for S1obs..S3obs; else 0
};

// The ten rows, Xa first and S3 last.
std::span<const EntryInput> EntryInputs();

// The text `input`'s box shows for the value `record` holds.
std::string EchoText(const EntryInput& input, const SurveyRecord& record);

}  // namespace corvanet
