#pragma once
// Which box shows which result, and with which text, as the table of the
// record's fields has them. Plain C++: the window writes the text into its
// box, the command-line tool prints it.
#include <functional>
#include <string>

#include "engine/result_sink.h"
#include "engine/survey_record.h"

namespace corvanet {

// The name of the box that shows `field`, e.g. "Text18" for w.
const char* ResultBoxName(ResultField field);

// The box text of `field` as `record` now holds it: rounded half to even,
// put in its pattern, unit appended ("-2.76秒", "3.32毫米", "1/100162").
std::string ResultText(ResultField field, const SurveyRecord& record);

// A sink that hands each result's box name and text to `show` the moment
// the engine stores the result.
class BoxTextSink final : public ResultSink {
public:
    using Show = std::function<void(const char* box, const std::string& text)>;
    explicit BoxTextSink(Show show) : show_(std::move(show)) {}
    void ShowResult(ResultField field, const SurveyRecord& record) override
    {
        show_(ResultBoxName(field), ResultText(field, record));
    }

private:
    Show show_;
};

// The note on the order of the points, written at the start of each Calculate.
extern const char* const kOrderNote;

}  // namespace corvanet
