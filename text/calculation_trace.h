#pragma once
// Which of the values on show belong to the figure now entered. The record
// keeps every value until a calculation overwrites it, so after a calculation
// that stopped or was cancelled it holds the new inputs beside older results.
// The trace follows the Calculate command and is the one place that knows how
// the last calculation ended: it tells the window which boxes to mark, the
// report which values to mark and what to say about them, and the sketch and
// the copy whether the results they show are an earlier calculation's.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "engine/failure.h"
#include "text/calculation_ending.h"

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
    // How the calculation ended. A cancel before any value was stored leaves
    // everything as the last calculation left it.
    void Ended(const CalculationEnding& ending);

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
    // What the sketch and the copy say beside the results of the last
    // calculation that stopped or completed, when a later one was cancelled
    // in the entry: empty otherwise.
    std::string EarlierResultsNote() const;

private:
    friend CalculationTrace TraceOfWholeEntry(const std::map<std::string, std::string>&,
                                              const std::optional<CalculationFailure>&);
    void Finished(const std::optional<CalculationFailure>& failure);
    void CancelledAt(std::string_view box);

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
