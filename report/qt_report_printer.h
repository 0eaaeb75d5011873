#pragma once
// The report on paper: a ReportPrinter over QPrinter and QPainter.
#include <QFont>
#include <QPointF>
#include <QString>
#include <vector>

#include "report/report_printer.h"
#include "engine/survey_record.h"

class QPrinter;

namespace corvanet {

// Lays every line out on the pages of `printer` as the operations come and
// paints nothing until EndDocument, so a printer that cannot start gets no
// half a report. Tab columns are the average character of the current font
// on the printer; positions are device pixels of the printable area.
class QtReportPrinter final : public ReportPrinter {
public:
    // One piece of text as it will be painted.
    struct Run {
        int page = 0;
        QPointF baseline;  // drawText places the baseline
        QFont font;
        QString text;
    };

    explicit QtReportPrinter(QPrinter& printer);

    void SetPosition(float xTwips, float yTwips) override;
    void SetFontName(const std::string& name) override;
    void SetFontSize(float points) override;
    void PrintLine(const std::vector<PrintItem>& items) override;
    // Paints the pages and sends the job. Throws PrinterFailure, the job
    // aborted, when the printer will not start or fails on the way.
    void EndDocument() override;

    const std::vector<Run>& Runs() const { return runs_; }
    const QFont& CurrentFont() const { return font_; }

private:
    QPrinter& printer_;
    QFont font_;
    double x_ = 0;
    double y_ = 0;
    int page_ = 0;
    std::vector<Run> runs_;
};

// PrintReport on `printer` through a QtReportPrinter; throws PrinterFailure.
void PrintReportOn(const SurveyRecord& record, QPrinter& printer);

}  // namespace corvanet
