#pragma once
// The record, a failure and the window texts as JSON.
#include <map>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "engine/failure.h"
#include "engine/survey_record.h"

namespace corvanet {

// Every field under its JSON key, in the record's declared order; a single
// as the exact value of the float.
nlohmann::ordered_json RecordJson(const SurveyRecord& record);

nlohmann::ordered_json FailureJson(const std::optional<CalculationFailure>& failure);

}  // namespace corvanet
