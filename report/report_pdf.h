#pragma once
#include <string>

#include "engine/survey_record.h"

namespace corvanet {

// Writes the report of `record` to the PDF file `path`, laid out as on
// paper (the platform's default paper and margins). Needs a
// QGuiApplication (QApplication will do) to exist, for the fonts; without
// one it writes nothing. On failure returns false and, if `error` is not
// null, puts the reason there (UTF-8, for the user).
bool WriteReportPdf(const SurveyRecord& record, const std::string& path, std::string* error);

}  // namespace corvanet
