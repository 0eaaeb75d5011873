#include "report/qt_report_printer.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

#include "fonts/font_substitution.h"
#include "report/line_layout.h"
#include "report/print_report.h"
#include "report/whole_file.h"

namespace corvanet {

QtReportPrinter::QtReportPrinter(QPagedPaintDevice& device, QString name) : device_(device), name_(std::move(name))
{
    // "宋体" is not on Linux; without the substitution the Chinese falls
    // back to a face whose text does not even extract as Chinese.
    InstallFontSubstitutions();
}

void QtReportPrinter::SetPosition(float xTwips, float yTwips)
{
    x_ = xTwips * device_.logicalDpiX() / 1440.0;
    y_ = yTwips * device_.logicalDpiY() / 1440.0;
}

void QtReportPrinter::SetFontName(const std::string& name) { font_.setFamily(QString::fromStdString(name)); }

void QtReportPrinter::SetFontSize(float points) { font_.setPointSizeF(points); }

void QtReportPrinter::PrintLine(const std::vector<PrintItem>& items)
{
    const QFontMetricsF metrics(font_, &device_);
    const LineMetrics lineMetrics{metrics.averageCharWidth(), metrics.horizontalAdvance(QLatin1Char(' ')),
                                  [&metrics](std::string_view s) {
                                      return metrics.horizontalAdvance(
                                          QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
                                  },
                                  static_cast<double>(device_.width())};
    const LaidOutLine line = LayOutLine(items, x_, lineMetrics);
    const double pageHeight = device_.height();
    const double lineHeight = metrics.height();
    auto placed = line.texts.begin();
    for (int row = 0; row < line.rows; ++row) {
        // A row that would run off the printable area starts the next page.
        if (y_ > 0 && y_ + lineHeight > pageHeight) {
            ++page_;
            y_ = 0;
        }
        for (; placed != line.texts.end() && placed->row == row; ++placed)
            runs_.push_back({page_, QPointF(placed->x, y_ + metrics.ascent()), font_,
                             QString::fromStdString(placed->text)});
        y_ += lineHeight;
    }
    x_ = 0;
}

void QtReportPrinter::EndDocument()
{
    QPainter painter;
    if (!painter.begin(&device_)) throw PrinterFailure((name_ + QStringLiteral("无法写入。")).toStdString());
    int page = 0;
    for (const Run& run : runs_) {
        for (; page < run.page; ++page)
            if (!device_.newPage()) throw PrinterFailure((name_ + QStringLiteral("换页时出错。")).toStdString());
        painter.setFont(run.font);
        painter.drawText(run.baseline, run.text);
    }
    if (!painter.end()) throw PrinterFailure((name_ + QStringLiteral("没有写完。")).toStdString());
}

QPageLayout DefaultReportPage()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Point);
}

QByteArray ReportPdf(const SurveyRecord& record, const CalculationTrace& trace,
                     const std::optional<MisclosureTest>& test, const QPageLayout& page,
                     const QString& name)
{
    // In memory first: the file is then written and checked in one go, so
    // a full disk is told instead of leaving a cut-off PDF.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // QPdfWriter, not QPrinter: a QPrinter asks the print system for the
        // default printer even when it only writes a file.
        QPdfWriter writer(&buffer);
        writer.setResolution(kPageDpi);
        writer.setPageLayout(page);
        writer.setTitle(QStringLiteral("Corvanet 报表"));
        writer.setCreator(QStringLiteral("Corvanet"));
        QtReportPrinter printer(writer, name);
        PrintReport(record, trace, test, printer);
    }
    return bytes;
}

void WriteReportFile(const SurveyRecord& record, const CalculationTrace& trace,
                     const std::optional<MisclosureTest>& test, const QPageLayout& page,
                     const QString& path)
{
    const QString name = QStringLiteral("PDF 文件“%1”").arg(path);
    const QByteArray pdf = ReportPdf(record, trace, test, page, name);
    std::string reason;
    if (!WriteWholeFile(QFile::encodeName(path).toStdString(), std::string_view(pdf.constData(), pdf.size()), &reason))
        throw PrinterFailure((name + QStringLiteral("无法写入（%1）。").arg(QString::fromStdString(reason))).toStdString());
}

}  // namespace corvanet
