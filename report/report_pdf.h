#pragma once
#include <string>

#include "engine/survey_record.h"
#include "text/calculation_trace.h"

namespace corvanet {

// Writes the report of `record` to the PDF file `path`: the page the
// printer would print, on A4. Touches no print system. Needs a
// QGuiApplication (QApplication will do) to exist, for the fonts; without
// one it writes nothing. On failure returns false and, if `error` is not
// null, puts the reason there (UTF-8, for the user).
bool WriteReportPdf(const SurveyRecord& record, const std::string& path, std::string* error);

// The same, with the marks and the note of a calculation that did not
// complete (see PrintReport).
bool WriteReportPdf(const SurveyRecord& record, const CalculationTrace& trace, const std::string& path,
                    std::string* error);

}  // namespace corvanet
