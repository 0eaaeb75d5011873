#include "ui/entry_dialogue.h"

#include "engine/adjustment.h"
#include "text/calculation_trace.h"
#include "text/display_rules.h"
#include "text/number_reading.h"
#include "text/point_reading.h"
#include "text/result_columns.h"

namespace corvanet {

namespace {

// 0, 1 or 2 for the `axis` ('X' or 'Y') of A, B or C; -1 for other inputs.
int Corner(const EntryInput& in, char axis)
{
    const std::string_view name = in.field->name;
    if (name.size() != 2 || name[0] != axis || name[1] < 'a' || name[1] > 'c') return -1;
    return name[1] - 'a';
}

}  // namespace

std::optional<CalculationEnding> Entry::Run()
{
    names_ = {};
    pending_.reset();
    for (const EntryInput& in : EntryInputs())
        if (auto ending = in.value ? Number(in) : PointName(in)) return ending;
    return std::nullopt;
}

std::optional<CalculationEnding> Entry::Number(const EntryInput& in)
{
    double& value = record_.*in.value;
    recall_ = Recall(in.prompt);
    trace_.Entering(in.box);
    picked_.reset();
    if (!AskValue(in.prompt, value, in))
        return CalculationEnding::CancelledAt(in.box);
    trace_.Stored(in.box);
    Echo(in);
    for (const char* confirmation = in.firstConfirmation; WantsReentry(confirmation, in);
         confirmation = in.laterConfirmation) {
        fields_.SetText(in.box, "");
        if (!AskValue(in.reentryPrompt, value, in))
            return CalculationEnding::CancelledAt(in.box);
        if (in.echoAfterReentry)
            Echo(in);
    }
    Echo(in);
    if (Corner(in, 'X') >= 0) pending_ = picked_;
    if (const int corner = Corner(in, 'Y'); corner >= 0) {
        // The point's name stands for A, B or C only when both its
        // coordinates were taken.
        names_[static_cast<std::size_t>(corner)] = pending_ && value == pending_->y ? pending_->name : std::string();
        pending_.reset();
    }
    if (in.observedSide != 0) {
        // The engine says this by throwing; the entry ends like any stopped
        // calculation, the record as it stands.
        try {
            TakeObservedCopy(record_, in.observedSide);
        } catch (const CalculationFailure& failure) {
            CalculationOutcome stopped{record_, record_, failure, std::nullopt};
            stopped.knownPoints = names_;
            return CalculationEnding::Finished(std::move(stopped));
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

// Stores the number typed at `message`; at the X of A, B or C the name of a
// known point stands for its X. A line that is neither is asked for again.
// False when the user cancelled.
bool Entry::AskValue(const char* message, double& value, const EntryInput& in)
{
    const bool names = book_ && Corner(in, 'X') >= 0;
    PromptLine line{recall_, {}, {}};
    if (Corner(in, 'Y') >= 0 && pending_) line.prefill = TableNumber(pending_->y);
    if (names) line.completions = book_->Names();
    for (;;) {
        const auto answer = prompt_.AskLine(message, line);
        if (!answer)
            return false;
        const NumberReading number = ReadNumberTelling(*answer);
        if (number.value) {
            value = *number.value;
            line_ = *answer;
            picked_.reset();
            return true;
        }
        const std::string name(TrimmedBlanks(*answer));
        if (names && !name.empty()) {
            if (auto point = book_->Find(name)) {
                value = point->x;
                line_ = name;
                picked_ = std::move(point);
                return true;
            }
            prompt_.Warn(std::string(NumberWarning(number.problem)) + "\n没有名为“" + name + "”的已知点。");
            continue;
        }
        prompt_.Warn(NumberWarning(number.problem));
    }
}

// Empty (Enter, OK or Cancel) or a number other than zero accepts; a zero
// asks for the value again; anything else asks the same question again. A
// value taken from a known point is confirmed with the point's name beside
// the number.
bool Entry::WantsReentry(const char* confirmation, const EntryInput& in)
{
    std::string note;
    if (picked_ && Corner(in, 'X') >= 0) note = picked_->name + "：" + std::string(TrimmedBlanks(EchoText(in, record_)));
    for (;;) {
        const auto answer = note.empty() ? prompt_.Ask(confirmation) : prompt_.AskNoted(confirmation, note);
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
