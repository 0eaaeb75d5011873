#include "report/line_layout.h"

#include <algorithm>

#include "text/number_text.h"

namespace corvanet {
namespace {

// The longest head of `text`, whole characters, that fits in `room`; at
// least one character, so that a row too narrow for any still moves on.
std::size_t FittingBytes(std::string_view text, double room, const LineMetrics& metrics)
{
    std::size_t fits = 0;
    for (std::size_t end = 1; end <= text.size(); ++end) {
        if (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) continue;
        if (fits > 0 && metrics.textWidth(text.substr(0, end)) > room) break;
        fits = end;
    }
    return fits;
}

}  // namespace

std::string ItemText(const PrintItem& item)
{
    return item.kind == PrintItem::Kind::Number ? PrintNumberText(item.number) : item.text;
}

LaidOutLine LayOutLine(const std::vector<PrintItem>& items, double startX, const LineMetrics& metrics)
{
    // Widths measured on paper are sums of rounded glyph advances; a position
    // a hair beyond a column is still at it.
    const double slack = metrics.columnWidth * 1e-6;
    LaidOutLine line;
    int row = 0;
    double x = startX;
    for (const PrintItem& item : items) {
        switch (item.kind) {
        case PrintItem::Kind::Tab: {
            const double column = (std::max(item.count, 1) - 1) * metrics.columnWidth;
            if (x > column + slack) ++row;
            x = column;
            break;
        }
        case PrintItem::Kind::Blanks:
            x += std::max(item.count, 0) * metrics.blankWidth;
            break;
        case PrintItem::Kind::Text:
        case PrintItem::Kind::Number: {
            const std::string text = ItemText(item);
            std::string_view rest = text;
            const double start = x;
            while (!rest.empty() && x + metrics.textWidth(rest) > metrics.rightEdge + slack) {
                const std::size_t head = FittingBytes(rest, metrics.rightEdge - x, metrics);
                line.texts.push_back({row++, x, std::string(rest.substr(0, head))});
                rest.remove_prefix(head);
                x = start;
            }
            if (!rest.empty()) line.texts.push_back({row, x, std::string(rest)});
            x += metrics.textWidth(rest);
            break;
        }
        }
    }
    line.rows = row + 1;
    return line;
}

}  // namespace corvanet
