#pragma once
// The printer operations the report is written through: a line printer with
// a print position, a font, and lines of items at tab columns.
#include <stdexcept>
#include <string>
#include <vector>

namespace corvanet {

// One item of a printed line.
struct PrintItem {
    enum class Kind { Tab, Blanks, Text, Number };
    Kind kind = Kind::Text;
    int count = 0;     // Tab: the column (1 is the left edge); Blanks: how many
    std::string text;  // Text
    float number = 0;  // Number: printed in the print-line number form

    friend bool operator==(const PrintItem&, const PrintItem&) = default;
};

inline PrintItem Tab(int column) { return {PrintItem::Kind::Tab, column, {}, 0}; }
inline PrintItem Blanks(int n) { return {PrintItem::Kind::Blanks, n, {}, 0}; }
inline PrintItem Text(std::string text) { return {PrintItem::Kind::Text, 0, std::move(text), 0}; }
inline PrintItem Number(float value) { return {PrintItem::Kind::Number, 0, {}, value}; }

// What a printer does when it cannot go on. The message is for the user.
class PrinterFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    // Where the next item goes, in twips from the top-left of the printable area.
    virtual void SetPosition(float xTwips, float yTwips) = 0;
    virtual void SetFontName(const std::string& name) = 0;
    // Points; also sets the height of each following line.
    virtual void SetFontSize(float points) = 0;
    // Prints the items one after another, then moves to the left edge one
    // line lower. A tab to a column the position has already passed goes to
    // that column of the next line.
    virtual void PrintLine(const std::vector<PrintItem>& items) = 0;
    // Closes the page and sends the document. May throw PrinterFailure.
    virtual void EndDocument() = 0;
};

}  // namespace corvanet
