#include "text/calculation_trace.h"

#include <array>

#include "text/entry_inputs.h"
#include "text/record_fields.h"

namespace corvanet {

const char* const kStaleBoxTip = "此数值来自以前的计算，不属于现在输入的图形。";
const char* const kStaleValueMark = "*";

namespace {

// The note field is written at every press and says the same each time.
constexpr std::string_view kNoteBox = "Text26";

const EntryInput* InputOf(std::string_view box)
{
    for (const EntryInput& in : EntryInputs())
        if (box == in.box) return &in;
    return nullptr;
}

}  // namespace

void CalculationTrace::Begin()
{
    pending_ = true;
    entering_.clear();
}

void CalculationTrace::Entering(std::string_view box)
{
    // Until the first value is stored, the sets describe the last calculation.
    if (!pending_ && !entering_.empty() && stored_.count(entering_)) accepted_.insert(entering_);
    entering_ = box;
}

void CalculationTrace::Stored(std::string_view box)
{
    if (pending_) {
        // The first value of a new figure: from here on everything that this
        // calculation has not written belongs to an earlier one.
        pending_ = false;
        outcome_ = Outcome::Running;
        stored_.clear();
        accepted_.clear();
        written_.clear();
        failure_.reset();
    }
    stored_.emplace(box);
}

void CalculationTrace::BoxWritten(std::string_view box)
{
    if (outcome_ == Outcome::Running) written_.emplace(box);
}

void CalculationTrace::Ended(const CalculationEnding& ending)
{
    if (ending.Cancelled())
        CancelledAt(ending.cancelledAt());
    else
        Finished(ending.outcome()->failure);
}

void CalculationTrace::Finished(const std::optional<CalculationFailure>& failure)
{
    pending_ = false;
    if (!failure) {
        outcome_ = Outcome::Complete;
        return;
    }
    Entering({});  // the entry ended with the last input accepted
    outcome_ = Outcome::Stopped;
    failure_ = failure;
}

void CalculationTrace::CancelledAt(std::string_view box)
{
    // A cancel before the first value leaves the record as the last
    // calculation left it, and that calculation's outcome stands.
    if (pending_) {
        pending_ = false;
        return;
    }
    outcome_ = Outcome::Cancelled;
    const EntryInput* in = InputOf(box);
    cancelledAt_ = in ? in->label : std::string(box);
}

bool CalculationTrace::IsStale(std::string_view box) const
{
    if (AllCurrent() || box == kNoteBox) return false;
    return !written_.count(box);
}

bool CalculationTrace::IsCurrent(ReportValue value) const
{
    if (AllCurrent()) return true;
    const RecordField& field = FieldOf(value);
    // The distances are current once their entry has ended and the observed
    // copy is taken; the other inputs once they are stored.
    for (const EntryInput& in : EntryInputs()) {
        if (in.observed == &field) return accepted_.count(in.box) > 0;
        if (in.field == &field && !field.storedBy) return stored_.count(in.box) > 0;
    }
    if (field.result) return written_.count(field.box) > 0;
    // k and the adjusted distances have no box: they are the stopped
    // calculation's when it failed at a step after the one that stores them.
    if (outcome_ != Outcome::Stopped) return false;
    return failure_->step() > *field.storedBy;
}

CalculationTrace TraceOfWholeEntry(const std::map<std::string, std::string>& texts,
                                   const std::optional<CalculationFailure>& failure)
{
    CalculationTrace trace;
    trace.Begin();
    for (const EntryInput& in : EntryInputs()) {
        trace.Entering(in.box);
        trace.Stored(in.box);
    }
    for (const auto& [box, text] : texts) trace.BoxWritten(box);
    trace.Finished(failure);
    return trace;
}

std::string CalculationTrace::IncompleteNote() const
{
    switch (outcome_) {
    case Outcome::None:
    case Outcome::Complete: return {};
    case Outcome::Stopped:
        return std::string("注意：最近一次计算没有完成，在“") + StepText(failure_->step()) + "”一步中止：" +
               failure_->message();
    case Outcome::Cancelled:
        return "注意：最近一次计算没有完成，输入在 " + cancelledAt_ + " 处取消。";
    case Outcome::Running: return "注意：最近一次计算没有完成。";
    }
    return {};
}

std::string CalculationTrace::EarlierResultsNote() const
{
    if (outcome_ != Outcome::Cancelled) return {};
    return "最近一次计算在输入时已取消，这里是上一次计算的结果。";
}

}  // namespace corvanet
