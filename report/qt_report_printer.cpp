#include "report/qt_report_printer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include "ui/font_substitution.h"
#include "report/line_layout.h"
#include "report/print_report.h"

namespace corvanet {
namespace {

std::string PrinterName(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) return "PDF 文件“" + printer.outputFileName().toStdString() + "”";
    return "打印机“" + printer.printerName().toStdString() + "”";
}

}  // namespace

QtReportPrinter::QtReportPrinter(QPrinter& printer) : printer_(printer)
{
    // "宋体" is not on Linux; without the substitution the Chinese falls
    // back to a face whose text does not even extract as Chinese.
    InstallFontSubstitutions();
}

void QtReportPrinter::SetPosition(float xTwips, float yTwips)
{
    x_ = xTwips * printer_.logicalDpiX() / 1440.0;
    y_ = yTwips * printer_.logicalDpiY() / 1440.0;
}

void QtReportPrinter::SetFontName(const std::string& name) { font_.setFamily(QString::fromStdString(name)); }

void QtReportPrinter::SetFontSize(float points) { font_.setPointSizeF(points); }

void QtReportPrinter::PrintLine(const std::vector<PrintItem>& items)
{
    const QFontMetricsF metrics(font_, &printer_);
    const LineMetrics lineMetrics{metrics.averageCharWidth(), metrics.horizontalAdvance(QLatin1Char(' ')),
                                  [&metrics](std::string_view s) {
                                      return metrics.horizontalAdvance(
                                          QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
                                  }};
    const LaidOutLine line = LayOutLine(items, x_, lineMetrics);
    const double pageHeight = printer_.height();
    const double lineHeight = metrics.height();
    for (int row = 0; row < line.rows; ++row) {
        // A row that would run off the printable area starts the next page.
        if (y_ > 0 && y_ + lineHeight > pageHeight) {
            ++page_;
            y_ = 0;
        }
        for (const PlacedText& placed : line.texts)
            if (placed.row == row)
                runs_.push_back({page_, QPointF(placed.x, y_ + metrics.ascent()), font_,
                                 QString::fromStdString(placed.text)});
        y_ += lineHeight;
    }
    x_ = 0;
}

void QtReportPrinter::EndDocument()
{
    QPainter painter;
    if (!painter.begin(&printer_)) throw PrinterFailure(PrinterName(printer_) + "无法开始打印。");
    int page = 0;
    for (const Run& run : runs_) {
        while (page < run.page) {
            if (!printer_.newPage()) {
                printer_.abort();
                throw PrinterFailure(PrinterName(printer_) + "换页时出错,打印已取消。");
            }
            ++page;
        }
        painter.setFont(run.font);
        painter.drawText(run.baseline, run.text);
    }
    if (printer_.printerState() == QPrinter::Error) {
        printer_.abort();
        throw PrinterFailure(PrinterName(printer_) + "出错,打印已取消。");
    }
    if (!painter.end()) throw PrinterFailure(PrinterName(printer_) + "没有完成打印。");
}

void PrintReportOn(const SurveyRecord& record, QPrinter& printer)
{
    QtReportPrinter reportPrinter(printer);
    PrintReport(record, reportPrinter);
}

}  // namespace corvanet
