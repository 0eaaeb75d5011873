#pragma once
// The one place where the engine meets whoever shows its results: it calls
// the sink right after it stores a result, in the order of the calculation.
#include "engine/survey_record.h"

namespace corvanet {

enum class ResultField { w, ms, xp1, yp1, xp2, yp2, xp3, yp3, px, py, mx, my, md, m };

class ResultSink {
public:
    virtual ~ResultSink() = default;
    // `record` already holds the new value of `field`.
    virtual void ShowResult(ResultField field, const SurveyRecord& record) = 0;
};

class NullSink final : public ResultSink {
public:
    void ShowResult(ResultField, const SurveyRecord&) override {}
};

}  // namespace corvanet
