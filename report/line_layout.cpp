#include "report/line_layout.h"

#include <algorithm>

#include "text/number_text.h"
#include "text/utf8.h"

namespace corvanet {
namespace {

// Splits a text that may run past the paper into rows. Each row is the
// longest head of whole characters that fits, at least one character, so
// that a row too narrow for any still moves on. Widths are only ever taken
// of about a row's worth of text: measuring what is left of a long text at
// every row costs time in the square of its length, and a device measuring
// a text many pages wide can overflow.
class RowSplitter {
public:
    RowSplitter(std::string_view text, double x, const LineMetrics& metrics, double slack)
        : text_(text), x_(x), metrics_(metrics), slack_(slack)
    {
        // The first guess takes as many characters as average ones would
        // fill the row, at their longest in bytes: an ordinary item is
        // shorter and is measured once, whole.
        const double room = metrics.columnWidth > 0 ? (metrics.rightEdge - x) / metrics.columnWidth : 0;
        const double bytes = 4 * (std::max(room, 0.0) + 1);
        guess_ = bytes < static_cast<double>(text.size()) ? static_cast<std::size_t>(bytes) : text.size();
    }

    bool Done() const { return text_.empty(); }

    // The next row. `last` tells whether it holds all that was left; its
    // width is then in `width`.
    std::string_view Next(bool& last, double& width)
    {
        // Byte ends of heads known to fit the row (lo) and not to (hi); 0 is
        // none yet, a head is never empty.
        std::size_t lo = 0;
        std::size_t hi = 0;
        // Up from the last row's length, the step doubling, until the head
        // passes the paper or is all there is.
        std::size_t end = Ceil(std::max<std::size_t>(guess_, 1));
        for (std::size_t step = 1;; step *= 2) {
            const double w = Width(end);
            if (Fits(w)) lo = end;
            else if (hi == 0) hi = end;
            if (Passes(w)) break;
            if (end == text_.size()) {
                last = true;
                width = w;
                return Take(end);
            }
            end = Ceil(std::min(end + step, text_.size()));
        }
        // Down from there, the step doubling while nothing fits, then halving.
        for (std::size_t step = 1; hi != 0;) {
            const std::size_t first = Ceil(lo + 1);
            if (first >= hi) break;
            std::size_t mid = lo == 0 ? std::max(first, Floor(hi > step ? hi - step : 0)) : Floor(lo + (hi - lo) / 2);
            if (mid <= lo) mid = first;
            if (lo == 0) step *= 2;
            if (Fits(Width(mid))) lo = mid;
            else hi = mid;
        }
        last = false;
        return Take(lo != 0 ? lo : Ceil(1));
    }

private:
    bool Boundary(std::size_t at) const
    {
        return at == 0 || at >= text_.size() || !IsUtf8Continuation(text_[at]);
    }
    std::size_t Ceil(std::size_t at) const
    {
        while (!Boundary(at)) ++at;
        return std::min(at, text_.size());
    }
    std::size_t Floor(std::size_t at) const
    {
        while (!Boundary(at)) --at;
        return at;
    }
    double Width(std::size_t end) const { return metrics_.textWidth(text_.substr(0, end)); }
    // Whether a head fits what is left of the row, and whether a text runs
    // past the paper: a text within the slack of the edge is still on it.
    bool Fits(double w) const { return !(w > metrics_.rightEdge - x_); }
    bool Passes(double w) const { return x_ + w > metrics_.rightEdge + slack_; }

    std::string_view Take(std::size_t end)
    {
        guess_ = end;
        const std::string_view head = text_.substr(0, end);
        text_.remove_prefix(end);
        return head;
    }

    std::string_view text_;
    double x_;
    const LineMetrics& metrics_;
    double slack_;
    std::size_t guess_;  // bytes of the last row
};

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
            if (text.empty()) {
                x += metrics.textWidth(text);
                break;
            }
            // Every row of the text begins where the text began.
            RowSplitter rows(text, x, metrics, slack);
            for (bool last = false; !last;) {
                double width = 0;
                line.texts.push_back({row, x, std::string(rows.Next(last, width))});
                if (last) {
                    x += width;
                } else if (++row, rows.Done()) {
                    // The last character was wider than the row by itself:
                    // what follows begins the next row.
                    break;
                }
            }
            break;
        }
        }
    }
    line.rows = row + 1;
    return line;
}

}  // namespace corvanet
