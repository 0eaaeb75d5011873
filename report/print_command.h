#pragma once
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace corvanet {

struct SurveyRecord;

// The Print button: prints the report of `record` on the default printer.
// Asks nothing and shows nothing when it works; says plainly when it cannot.
void RunPrintCommand(const SurveyRecord& record, QWidget* parent);

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

// The printer the report goes to; null when there is none.
using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

// The system's default printer (through CUPS) with its default paper and
// margins, or null when no printer is installed.
std::unique_ptr<QPrinter> DefaultPrinter();

// The Print button with its printer and dialogs given.
void RunPrintCommand(const SurveyRecord& record, QWidget* parent, PrintCommandDialogs& dialogs,
                     const PrinterSource& printerSource);

}  // namespace corvanet
