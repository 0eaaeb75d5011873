#include "cli/record_json.h"

namespace corvanet {

nlohmann::ordered_json RecordJson(const SurveyRecord& r)
{
    nlohmann::ordered_json j;
    j["PointName"] = r.PointName;
    j["Xa"] = r.Xa;
    j["Ya"] = r.Ya;
    j["Xb"] = r.Xb;
    j["Yb"] = r.Yb;
    j["Xc"] = r.Xc;
    j["Yc"] = r.Yc;
    j["S1"] = r.S1;
    j["S2"] = r.S2;
    j["S3"] = r.S3;
    // Widened so the JSON shows the float's exact value, not its shortest single text.
    j["S1obs"] = static_cast<double>(r.S1obs);
    j["S2obs"] = static_cast<double>(r.S2obs);
    j["S3obs"] = static_cast<double>(r.S3obs);
    j["w"] = static_cast<double>(r.w);
    j["k"] = r.k;
    j["px"] = r.px;
    j["py"] = r.py;
    j["ms"] = static_cast<double>(r.ms);
    j["mx"] = static_cast<double>(r.mx);
    j["my"] = static_cast<double>(r.my);
    j["md"] = static_cast<double>(r.md);
    j["m"] = static_cast<double>(r.m);
    j["xp1"] = r.xp1;
    j["yp1"] = r.yp1;
    j["xp2"] = r.xp2;
    j["yp2"] = r.yp2;
    j["xp3"] = r.xp3;
    j["yp3"] = r.yp3;
    return j;
}

nlohmann::ordered_json FailureJson(const std::optional<CalculationFailure>& failure)
{
    if (!failure) return nullptr;
    nlohmann::ordered_json j;
    j["step"] = StepId(failure->step());
    j["stepText"] = StepText(failure->step());
    j["message"] = failure->message();
    return j;
}

}  // namespace corvanet
