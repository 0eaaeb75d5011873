#pragma once
#include "engine/tolerance.h"
#include "report/report_printer.h"
#include "engine/survey_record.h"
#include "text/calculation_trace.h"

namespace corvanet {

// The report of the record as the last Calculate left it, whole, on
// `printer`: inputs, adjusted distances, misclosure, coordinates of P and
// the precision figures. Reads the record and changes nothing; it needs no
// Calculate before it. A PrinterFailure from the printer passes through.
void PrintReport(const SurveyRecord& record, ReportPrinter& printer);

// The same report, honest about a last calculation that did not complete:
// a note under the heading says where it ended, and every value that
// calculation did not write carries a mark. A misclosure that `test` finds
// beyond its limit is noted there too, after the note of a stopped
// calculation. With `trace` all current (no calculation yet, or a complete
// one) and no exceeded test, the report is exactly the one above.
void PrintReport(const SurveyRecord& record, const CalculationTrace& trace, const std::optional<MisclosureTest>& test,
                 ReportPrinter& printer);

}  // namespace corvanet
