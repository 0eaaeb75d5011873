#pragma once
// Where the items of one printed line land, in whatever unit the printer
// measures in (characters for the text report, device pixels on paper).
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_printer.h"

namespace corvanet {

struct LineMetrics {
    double columnWidth = 1;  // one tab column: the current font's average character
    double blankWidth = 1;   // one blank
    std::function<double(std::string_view)> textWidth;
    // Where the paper ends: a text that would run past it continues on the
    // next row from where it began. Unbounded for the text report.
    double rightEdge = std::numeric_limits<double>::infinity();
};

struct PlacedText {
    int row = 0;  // 0 is the row the line starts on; a passed tab moves to the next
    double x = 0; // from the left edge
    std::string text;

    friend bool operator==(const PlacedText&, const PlacedText&) = default;
};

struct LaidOutLine {
    std::vector<PlacedText> texts;  // in the order of their rows
    int rows = 1;  // printed rows the line takes
};

// Lays out `items` from `startX` on the line's first row. Column n begins
// at (n - 1) column widths from the left edge.
LaidOutLine LayOutLine(const std::vector<PrintItem>& items, double startX, const LineMetrics& metrics);

// The text a number item prints.
std::string ItemText(const PrintItem& item);

}  // namespace corvanet
