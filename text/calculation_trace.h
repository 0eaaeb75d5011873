#pragma once
// Which of the values on show belong to the figure now entered. The record
// keeps every value until a calculation overwrites it, so after a calculation
// that stopped or was cancelled it holds the new inputs beside older results.
// The trace follows the Calculate command and tells the window which boxes
// to mark and the report which values to mark and what to say about them.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "engine/failure.h"

namespace corvanet {

// The values of the printed report, by the record field each is read from.
// The adjusted distances are apart from the typed ones: the record fields S1
// to S3 hold the typed value until the adjustment overwrites them.
enum class ReportValue {
    PointName, Xa, Ya, Xb, Yb, Xc, Yc, S1obs, S2obs, S3obs, s1, s2, s3,
    w, k, xp1, yp1, xp2, yp2, xp3, yp3, ms, px, py, mx, my, md, m,
};

class CalculationTrace {
public:
    enum class Outcome {
        None,       // no calculation has stored a value yet
        Running,    // a calculation has stored its first input and not ended
        Complete,
        Stopped,    // the figure failed at a step
        Cancelled,  // the user cancelled a value prompt
    };

    // Told by the Calculate command as it goes.
    void Begin();
    void Entering(std::string_view box);  // the entry asks for the input shown in `box`
    void Stored(std::string_view box);    // that input is in the record; the first starts the calculation
    void BoxWritten(std::string_view box);
    void Complete();
    void Stopped(const CalculationFailure& failure);
    void Cancelled();

    Outcome outcome() const { return outcome_; }
    // True when every value shown and printed belongs to the inputs as they
    // stand: before any calculation and after a complete one.
    bool AllCurrent() const { return outcome_ == Outcome::None || outcome_ == Outcome::Complete; }
    // The box shows text that the running or last calculation did not write.
    bool IsStale(std::string_view box) const;
    bool IsCurrent(ReportValue value) const;

    // What the report says of the last calculation that did not complete:
    // empty when it did, or when none has stored a value.
    std::string IncompleteNote() const;

private:
    Outcome outcome_ = Outcome::None;
    bool pending_ = false;              // Begin seen, no value stored yet
    std::string entering_;              // the input the entry is at
    std::string cancelledAt_;           // the input whose prompt was cancelled
    std::set<std::string, std::less<>> stored_;    // inputs stored by this calculation
    std::set<std::string, std::less<>> accepted_;  // inputs whose entry ended
    std::set<std::string, std::less<>> written_;   // boxes written by this calculation
    std::optional<CalculationFailure> failure_;
};

// The trace of a calculation whose ten inputs were all given at once (the
// command-line tool), that wrote the boxes named in `texts` and ended with
// `failure`, or completed.
CalculationTrace TraceOfWholeEntry(const std::map<std::string, std::string>& texts,
                                   const std::optional<CalculationFailure>& failure);

// The window's tooltip on a box that shows an earlier calculation's text.
extern const char* const kStaleBoxTip;
// The mark the report puts after a value that is not the last calculation's.
extern const char* const kStaleValueMark;

}  // namespace corvanet
