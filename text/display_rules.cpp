#include "text/display_rules.h"

#include <cmath>

#include "text/number_text.h"

namespace corvanet {

const char* const kOrderNote = "A,B,C点的次序按自左向右顺序排列";

const char* ResultBoxName(ResultField field)
{
    switch (field) {
    case ResultField::w: return "Text18";
    case ResultField::ms: return "Text19";
    case ResultField::xp1: return "Text12";
    case ResultField::yp1: return "Text13";
    case ResultField::xp2: return "Text14";
    case ResultField::yp2: return "Text15";
    case ResultField::xp3: return "Text16";
    case ResultField::yp3: return "Text17";
    case ResultField::px: return "Text20";
    case ResultField::py: return "Text21";
    case ResultField::mx: return "Text22";
    case ResultField::my: return "Text23";
    case ResultField::md: return "Text24";
    case ResultField::m: return "Text25";
    }
    return "";
}

std::string ResultText(ResultField field, const SurveyRecord& r)
{
    switch (field) {
    case ResultField::w: return FormatRounded(r.w, "0.00") + "秒";
    case ResultField::ms: return FormatRounded(r.ms, "0.00") + "毫米";
    case ResultField::xp1: return FormatRounded(r.xp1, "0.000");
    case ResultField::yp1: return FormatRounded(r.yp1, "0.000");
    case ResultField::xp2: return FormatRounded(r.xp2, "0.000");
    case ResultField::yp2: return FormatRounded(r.yp2, "0.000");
    case ResultField::xp3: return FormatRounded(r.xp3, "0.000");
    case ResultField::yp3: return FormatRounded(r.yp3, "0.000");
    case ResultField::px: return FormatRounded(r.px, "0.0000");
    case ResultField::py: return FormatRounded(r.py, "0.0000");
    case ResultField::mx: return FormatRounded(r.mx, "0.00") + "毫米";
    case ResultField::my: return FormatRounded(r.my, "0.00") + "毫米";
    case ResultField::md: return FormatRounded(r.md, "0.00") + "毫米";
    case ResultField::m: return "1/" + SingleText(std::trunc(r.m));
    }
    return "";
}

std::string CoordinateEchoText(double value) { return " " + FormatPattern(value, "0.000"); }
std::string DistanceEchoText(double value) { return " " + FormatPattern(value, "0.0000"); }
std::string PointNameEchoText(const std::string& name) { return "  " + name; }

}  // namespace corvanet
