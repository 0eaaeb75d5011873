#include "window_texts.h"

#include "display_rules.h"

namespace corvanet {
namespace {

class TextSink final : public ResultSink {
public:
    explicit TextSink(std::map<std::string, std::string>& texts) : texts_(texts) {}
    void ShowResult(ResultField field, const SurveyRecord& record) override
    {
        texts_[ResultBoxName(field)] = ResultText(field, record);
    }

private:
    std::map<std::string, std::string>& texts_;
};

}  // namespace

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
    TextSink sink(t);
    out.failure = TryCalculate(r, SetUpConstants(), sink);
    return out;
}

}  // namespace corvanet
