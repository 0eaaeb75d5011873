#pragma once
#include <QString>
#include <optional>

#include "engine/tolerance.h"

class QWidget;

namespace corvanet {

struct SurveyRecord;
class CalculationTrace;
class PrintSystem;

// The Print button: prints the report of `record` on the default printer.
// Asks nothing and shows nothing when the printer takes the job; says
// plainly when it does not, and offers the same report as a PDF file.
void RunPrintCommand(const SurveyRecord& record, const CalculationTrace& trace,
                     const std::optional<MisclosureTest>& test, QWidget* parent);

// The dialogs of the Print button when printing fails.
class PrintCommandDialogs {
public:
    virtual ~PrintCommandDialogs() = default;
    // Says why the report was not printed and offers to save it as a PDF
    // file instead; true when the user takes the offer.
    virtual bool OfferPdf(QWidget* parent, const QString& why) = 0;
    // The PDF file to write; empty when the user cancels.
    virtual QString AskPdfPath(QWidget* parent) = 0;
    // Says that the PDF could not be written either.
    virtual void TellPdfFailed(QWidget* parent, const QString& why) = 0;
};

// The Print button with its print system and dialogs given.
void RunPrintCommand(const SurveyRecord& record, const CalculationTrace& trace,
                     const std::optional<MisclosureTest>& test, QWidget* parent,
                     PrintCommandDialogs& dialogs, PrintSystem& printSystem);

}  // namespace corvanet
