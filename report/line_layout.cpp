#include "report/line_layout.h"

#include <algorithm>

#include "text/number_text.h"

namespace corvanet {

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
            std::string text = ItemText(item);
            const double width = metrics.textWidth(text);
            if (!text.empty()) line.texts.push_back({row, x, std::move(text)});
            x += width;
            break;
        }
        }
    }
    line.rows = row + 1;
    return line;
}

}  // namespace corvanet
