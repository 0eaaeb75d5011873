#pragma once
#include "report/report_printer.h"
#include "engine/survey_record.h"

namespace corvanet {

// The report of the record as the last Calculate left it, whole, on
// `printer`: inputs, adjusted distances, misclosure, coordinates of P and
// the precision figures. Reads the record and changes nothing; it needs no
// Calculate before it. A PrinterFailure from the printer passes through.
void PrintReport(const SurveyRecord& record, ReportPrinter& printer);

}  // namespace corvanet
