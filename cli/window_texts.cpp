#include "cli/window_texts.h"

#include "cli/figure_calculation.h"
#include "text/display_rules.h"

namespace corvanet {

TextedCalculation CalculateWithTexts(SurveyRecord& r)
{
    TextedCalculation out;
    auto& t = out.texts;
    t["Text26"] = kOrderNote;
    t["Text1"] = CoordinateEchoText(r.Xa);
    t["Text2"] = CoordinateEchoText(r.Ya);
    t["Text3"] = CoordinateEchoText(r.Xb);
    t["Text4"] = CoordinateEchoText(r.Yb);
    t["Text5"] = CoordinateEchoText(r.Xc);
    t["Text6"] = CoordinateEchoText(r.Yc);
    t["Text11"] = PointNameEchoText(r.PointName);
    t["Text7"] = DistanceEchoText(r.S1);
    t["Text8"] = DistanceEchoText(r.S2);
    t["Text9"] = DistanceEchoText(r.S3);
    BoxTextSink sink([&t](const char* box, const std::string& text) { t[box] = text; });
    out.failure = CalculateFigure(r, SetUpConstants(), sink);
    return out;
}

}  // namespace corvanet
