#pragma once
// A ReportPrinter that records what the report asks of it, and the records
// the report tests print.
#include <ostream>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "report/report_printer.h"

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
    Calculate(r, sink);
    return r;
}

}  // namespace testing
}  // namespace corvanet
