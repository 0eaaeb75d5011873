#include "cli/record_json.h"

#include "text/record_fields.h"

namespace corvanet {

nlohmann::ordered_json RecordJson(const SurveyRecord& r)
{
    nlohmann::ordered_json j;
    // A single widened, so the JSON shows the float's exact value, not its shortest single text.
    for (const RecordField& f : kRecordFields) {
        if (f.member.text)
            j[f.jsonKey] = r.*f.member.text;
        else
            j[f.jsonKey] = f.member.Number(r);
    }
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
