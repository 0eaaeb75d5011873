#pragma once
// The report on a page: a ReportPrinter that paints with QPainter on a
// paged device (a PDF, the same page for the printer and for the file).
#include <QByteArray>
#include <QFont>
#include <QPageLayout>
#include <QPointF>
#include <QString>
#include <vector>

#include "engine/tolerance.h"
#include "report/report_printer.h"
#include "engine/survey_record.h"
#include "text/calculation_trace.h"

class QPagedPaintDevice;

namespace corvanet {

// Device units per inch of the page: ten to the twip, fine enough that the
// fonts come out at their exact point sizes and their heights within a
// hundredth of a point.
inline constexpr int kPageDpi = 14400;

// Lays every line out on the pages of `device` as the operations come and
// paints nothing until EndDocument, so a page that cannot be written gets
// no half a report. Tab columns are the average character of the current
// font; positions are device units from the corner of the printable area.
class QtReportPrinter final : public ReportPrinter {
public:
    // One piece of text as it will be painted.
    struct Run {
        int page = 0;
        QPointF baseline;  // drawText places the baseline
        QFont font;
        QString text;
    };

    // `name` says which page this is in messages, e.g. PDF 文件“报表.pdf”.
    QtReportPrinter(QPagedPaintDevice& device, QString name);

    void SetPosition(float xTwips, float yTwips) override;
    void SetFontName(const std::string& name) override;
    void SetFontSize(float points) override;
    void PrintLine(const std::vector<PrintItem>& items) override;
    // Paints the pages. Throws PrinterFailure when the device will not
    // start or fails on the way.
    void EndDocument() override;

    const std::vector<Run>& Runs() const { return runs_; }
    const QFont& CurrentFont() const { return font_; }

private:
    QPagedPaintDevice& device_;
    QString name_;
    QFont font_;
    double x_ = 0;
    double y_ = 0;
    int page_ = 0;
    std::vector<Run> runs_;
};

// The page of the PDF file and of the printer when the printer names none:
// A4 upright with the margins Qt gives a PDF.
QPageLayout DefaultReportPage();

// The report of `record` on `page` as the bytes of a PDF file, made in
// memory. Throws PrinterFailure, with `name` saying which page, when it
// cannot be painted.
QByteArray ReportPdf(const SurveyRecord& record, const CalculationTrace& trace,
                     const std::optional<MisclosureTest>& test, const QPageLayout& page,
                     const QString& name);

// Writes the report of `record` to the PDF file `path` on `page`, whole or
// not at all (see WriteWholeFile). Throws PrinterFailure, naming the file
// and the cause, when it cannot be written.
void WriteReportFile(const SurveyRecord& record, const CalculationTrace& trace,
                     const std::optional<MisclosureTest>& test, const QPageLayout& page,
                     const QString& path);

}  // namespace corvanet
