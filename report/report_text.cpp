#include "report/report_text.h"

#include <cmath>

#include "report/line_layout.h"
#include "report/print_report.h"
#include "text/utf8.h"

namespace corvanet {
namespace {

// East Asian Wide and Full-width blocks.
bool IsWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

int DisplayWidth(std::string_view utf8)
{
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Char ch = Utf8CharAt(utf8, i);
        width += IsWide(ch.codePoint) ? 2 : 1;
        i += ch.length;
    }
    return width;
}

void TextReportPrinter::SetPosition(float xTwips, float) { xTwips_ = xTwips; }

void TextReportPrinter::SetFontName(const std::string&) {}

void TextReportPrinter::SetFontSize(float points) { points_ = points; }

void TextReportPrinter::PrintLine(const std::vector<PrintItem>& items)
{
    // A half-width Song face is half an em wide: 10 twips per point.
    const double startColumn = points_ > 0 ? std::floor(xTwips_ / (points_ * 10.0f)) : 0.0;
    const LineMetrics metrics{1, 1, [](std::string_view s) { return static_cast<double>(DisplayWidth(s)); }};
    const LaidOutLine line = LayOutLine(items, startColumn, metrics);
    std::vector<std::string> rows(static_cast<std::size_t>(line.rows));
    for (const PlacedText& placed : line.texts) {
        std::string& row = rows[static_cast<std::size_t>(placed.row)];
        const int pad = static_cast<int>(placed.x) - DisplayWidth(row);
        if (pad > 0) row.append(static_cast<std::size_t>(pad), ' ');
        row += placed.text;
    }
    for (const std::string& row : rows) text_ += row + '\n';
    xTwips_ = 0;
}

void TextReportPrinter::EndDocument() {}

std::string ReportPlainText(const SurveyRecord& record)
{
    TextReportPrinter printer;
    PrintReport(record, printer);
    return printer.Text();
}

std::string ReportPlainText(const SurveyRecord& record, const CalculationTrace& trace,
                            const std::optional<MisclosureTest>& test)
{
    TextReportPrinter printer;
    PrintReport(record, trace, test, printer);
    return printer.Text();
}

}  // namespace corvanet
