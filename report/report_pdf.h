#pragma once
#include <string>

#include "engine/tolerance.h"
#include "engine/survey_record.h"
#include "text/calculation_trace.h"

namespace corvanet {

// The report of `record` as the bytes of a PDF file: the page the printer
// would print, on A4. Touches no print system. Needs a QGuiApplication
// (QApplication will do) to exist, for the fonts; without one it makes
// nothing. On failure returns false and, if `error` is not null, puts the
// reason there (UTF-8, for the user).
bool ReportPdfBytes(const SurveyRecord& record, const CalculationTrace& trace,
                    const std::optional<MisclosureTest>& test, std::string* pdf, std::string* error);

// Writes that report to the PDF file `path`, whole or not at all (see
// WriteWholeFile). `path` is the name as the file system has it, bytes
// that need not be UTF-8 (QFile::encodeName of a name from a dialog). On
// failure returns false and the reason, naming the file, in `error`.
bool WriteReportPdf(const SurveyRecord& record, const std::string& path, std::string* error);

// The same, with the marks and the note of a calculation that did not
// complete (see PrintReport).
bool WriteReportPdf(const SurveyRecord& record, const CalculationTrace& trace,
                    const std::optional<MisclosureTest>& test, const std::string& path,
                    std::string* error);

}  // namespace corvanet
