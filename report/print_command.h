#pragma once
class QWidget;

namespace corvanet {

struct SurveyRecord;

// The Print button: prints the report of `record` on the default printer.
// Asks nothing and shows nothing when it works; says plainly when it cannot.
void RunPrintCommand(const SurveyRecord& record, QWidget* parent);

}  // namespace corvanet
