#include "text/csv_rows.h"

#include <charconv>
#include <cstring>

namespace corvanet {
namespace {

// libcsv's parser states (libcsv.c): no field of the row read yet, and
// inside a field.
constexpr int kRowNotBegun = 0;
constexpr int kFieldBegun = 2;

// Blanks around a field are part of it, as RFC 4180 has it.
int NoBlanks(unsigned char) { return 0; }

}  // namespace

char* WriteLineNumber(char* p, long line) { return std::to_chars(p, p + kLineNumberRoom, line).ptr; }

std::string LineNumberText(long line)
{
    char buf[kLineNumberRoom];
    return std::string(buf, WriteLineNumber(buf, line));
}

CsvRowReader::CsvRowReader(std::size_t keptFields, std::size_t maxRowBytes, OnRow onRow)
    : keptFields_(keptFields), maxRowBytes_(maxRowBytes), onRow_(std::move(onRow))
{
    StartParser();
}

CsvRowReader::~CsvRowReader() { csv_free(&parser_); }

void CsvRowReader::StartParser()
{
    csv_init(&parser_, 0);
    csv_set_space_func(&parser_, NoBlanks);
    // libcsv grows a field's buffer by this much at a time.
    csv_set_blk_size(&parser_, std::size_t(1) << 16);
}

void CsvRowReader::OnField(void* text, std::size_t size, void* data)
{
    auto& self = *static_cast<CsvRowReader*>(data);
    if (self.fieldCount_ < self.keptFields_) {
        if (size > 0) self.kept_.append(static_cast<const char*>(text), size);
        self.keptEnds_.push_back(self.kept_.size());
    }
    ++self.fieldCount_;
    self.rowBytes_ += size + 1;
}

void CsvRowReader::OnRowEnd(int, void* data)
{
    auto& self = *static_cast<CsvRowReader*>(data);
    self.EmitRow(self.rowBytes_ > self.maxRowBytes_ ? CsvRow::Fault::TooLong : CsvRow::Fault::None);
}

void CsvRowReader::EmitRow(CsvRow::Fault fault)
{
    views_.clear();
    std::size_t begin = 0;
    for (std::size_t end : keptEnds_) {
        views_.emplace_back(kept_.data() + begin, end - begin);
        begin = end;
    }
    CsvRow row;
    row.line = rowStart_;
    row.fields = views_.data();
    row.fieldCount = fieldCount_;
    row.fault = fault;
    onRow_(row);
    kept_.clear();
    keptEnds_.clear();
    fieldCount_ = 0;
    rowBytes_ = 0;
}

void CsvRowReader::FeedLine(std::string_view piece, bool endsLine)
{
    if (skipping_) {
        skipping_ = !endsLine;
    } else {
        // A row begins on the line where the parser meets its first byte.
        if (parser_.pstate == kRowNotBegun) rowStart_ = line_;
        const bool parsed = csv_parse(&parser_, piece.data(), piece.size(), OnField, OnRowEnd, this) == piece.size();
        if (!parsed || rowBytes_ + parser_.entry_pos > maxRowBytes_) {
            const bool openQuote = parser_.quoted && parser_.pstate == kFieldBegun;
            EmitRow(openQuote ? CsvRow::Fault::OpenQuote : CsvRow::Fault::TooLong);
            csv_free(&parser_);
            StartParser();
            skipping_ = !endsLine;
        }
    }
    if (endsLine) ++line_;
}

void CsvRowReader::Feed(std::string_view bytes)
{
    // Line by line, so that each row knows the line it begins on. A line
    // ends at LF, at CRLF, or at a CR alone (as old Mac files have it).
    while (!bytes.empty()) {
        if (afterCr_ && bytes.front() == '\n') {
            // The LF of a CRLF split between two reads: the CR ended the line.
            FeedLine(bytes.substr(0, 1), false);
            bytes.remove_prefix(1);
            afterCr_ = false;
            continue;
        }
        const char* const begin = bytes.data();
        const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', bytes.size()));
        std::size_t length = lf ? static_cast<std::size_t>(lf - begin) + 1 : bytes.size();
        if (const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', length)); cr && cr + 1 != lf)
            length = static_cast<std::size_t>(cr - begin) + 1;
        const char last = bytes[length - 1];
        afterCr_ = last == '\r';
        FeedLine(bytes.substr(0, length), last == '\n' || afterCr_);
        bytes.remove_prefix(length);
    }
}

void CsvRowReader::Finish()
{
    if (skipping_ || parser_.pstate == kRowNotBegun) return;
    if (parser_.quoted && parser_.pstate == kFieldBegun) {
        // The input ended inside a quoted field: the row as far as it went.
        csv_fini(&parser_, OnField, nullptr, this);
        EmitRow(CsvRow::Fault::OpenQuote);
        return;
    }
    csv_fini(&parser_, OnField, OnRowEnd, this);
}

}  // namespace corvanet
