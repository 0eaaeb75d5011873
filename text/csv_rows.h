#pragma once
// Rows of an RFC 4180 CSV stream (quoted fields with commas, doubled quotes
// and line breaks; CRLF or LF), read piece by piece in bounded memory.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <csv.h>

namespace corvanet {

struct CsvRow {
    enum class Fault { None, TooLong, OpenQuote };
    long line = 0;                    // where the row begins, 1-based
    const std::string_view* fields = nullptr;  // the first min(fieldCount, kept) fields, as read
    std::size_t fieldCount = 0;       // every field of the row
    Fault fault = Fault::None;        // the row as far as it was read
};

// The room a line number's digits take at most.
constexpr std::size_t kLineNumberRoom = 20;
// A line number as people write it: plain digits, never an exponent or a
// digit grouping, whatever the locale.
char* WriteLineNumber(char* p, long line);
std::string LineNumberText(long line);

class CsvRowReader {
public:
    using OnRow = std::function<void(const CsvRow& row)>;

    // Keeps the first `keptFields` fields of each row; a row of more than
    // `maxRowBytes` bytes ends there with Fault::TooLong (or OpenQuote, when
    // a quote was left open), and reading resumes on the next line.
    CsvRowReader(std::size_t keptFields, std::size_t maxRowBytes, OnRow onRow);
    ~CsvRowReader();
    CsvRowReader(const CsvRowReader&) = delete;
    CsvRowReader& operator=(const CsvRowReader&) = delete;

    // Any piece of the input, in order.
    void Feed(std::string_view bytes);
    // The end of the input: the last row, if it had no line end.
    void Finish();

private:
    static void OnField(void* text, std::size_t size, void* self);
    static void OnRowEnd(int terminator, void* self);
    void StartParser();
    void EmitRow(CsvRow::Fault fault);
    void FeedLine(std::string_view piece, bool endsLine);

    csv_parser parser_{};
    std::size_t keptFields_;
    std::string kept_;                 // the kept fields of the row, one after the other
    std::vector<std::size_t> keptEnds_;
    std::vector<std::string_view> views_;
    std::size_t fieldCount_ = 0;
    std::size_t rowBytes_ = 0;
    std::size_t maxRowBytes_;
    long line_ = 1;      // the line the next byte is on
    long rowStart_ = 1;
    bool skipping_ = false;  // to the end of a line, after a row cut short
    bool afterCr_ = false;   // the last line ended at a CR: an LF next belongs to it
    OnRow onRow_;
};

}  // namespace corvanet
