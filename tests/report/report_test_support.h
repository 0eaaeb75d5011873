#pragma once
// A ReportPrinter that records what the report asks of it, and the records
// the report tests print.
#include <ostream>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "report/report_printer.h"
#include "text/calculation_trace.h"
#include "text/display_rules.h"

namespace corvanet {

inline void PrintTo(const PrintItem& item, std::ostream* os)
{
    switch (item.kind) {
    case PrintItem::Kind::Tab: *os << "Tab(" << item.count << ")"; break;
    case PrintItem::Kind::Blanks: *os << "Blanks(" << item.count << ")"; break;
    case PrintItem::Kind::Text: *os << "Text(\"" << item.text << "\")"; break;
    case PrintItem::Kind::Number: *os << "Number(" << item.number << ")"; break;
    }
}

namespace testing {

class RecordingPrinter final : public ReportPrinter {
public:
    struct Line {
        std::string font;
        float points;
        std::vector<PrintItem> items;
    };

    void SetPosition(float x, float y) override { calls.push_back("SetPosition " + Num(x) + " " + Num(y)); }
    void SetFontName(const std::string& name) override
    {
        font = name;
        calls.push_back("SetFontName " + name);
    }
    void SetFontSize(float p) override
    {
        points = p;
        calls.push_back("SetFontSize " + Num(p));
    }
    void PrintLine(const std::vector<PrintItem>& items) override
    {
        lines.push_back({font, points, items});
        calls.push_back("PrintLine");
    }
    void EndDocument() override { calls.push_back("EndDocument"); }

    std::vector<std::string> calls;
    std::vector<Line> lines;

private:
    static std::string Num(float v) { return std::to_string(static_cast<int>(v)); }
    std::string font;
    float points = 0;
};

// The worked figure as Calculate leaves it, entered as the window enters it.
inline SurveyRecord WorkedRecord()
{
    SurveyRecord r;
    r.Xa = 2500, r.Ya = 2600, r.Xb = 3000, r.Yb = 3000, r.Xc = 2450, r.Yc = 3550;
    r.PointName = "P1";
    r.S1 = 509.905, r.S2 = 412.308, r.S3 = 474.345;
    r.S1obs = static_cast<float>(r.S1), r.S2obs = static_cast<float>(r.S2), r.S3obs = static_cast<float>(r.S3);
    NullSink sink;
    Calculate(r, SetUpConstants(), sink);
    return r;
}

// The trace of a calculation after an earlier complete one, told what the
// Calculate command tells it: the entry up to `cancelledAt` (all ten inputs
// when empty), then the results in `written`.
inline CalculationTrace TraceOf(const std::string& cancelledAt, std::initializer_list<ResultField> written = {})
{
    CalculationTrace trace;
    trace.Begin();
    for (const char* box : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text11", "Text7", "Text8", "Text9"}) {
        trace.Entering(box);
        if (box == cancelledAt) {
            trace.Cancelled();
            return trace;
        }
        trace.Stored(box);
        trace.BoxWritten(box);
    }
    for (ResultField field : written) trace.BoxWritten(ResultBoxName(field));
    return trace;
}

}  // namespace testing
}  // namespace corvanet
