#pragma once
// Coordinate files as surveyors exchange them, read into known points: DAT
// lines `点名,编码,Y,X,H` (the easting first), `点名,X,Y` and `点名,X,Y,H`
// lists; a first row of column names skipped; UTF-8 with or without a
// byte-order mark, or GB18030; LF, CRLF or CR; quoted fields. Every row that
// is not a point is told by its line number and why, and nothing of it is
// kept. Plain C++, no Qt.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvanet {

// A larger file is not read as a coordinate file: none comes near it, and
// it is held whole while it is read.
inline constexpr long long kMaxPointFileBytes = 64LL * 1024 * 1024;

// The longest point name kept, in characters.
inline constexpr std::size_t kMaxPointNameLength = 64;

struct ReadPoint {
    std::string name;  // UTF-8
    double x = 0.0;    // northing
    double y = 0.0;    // easting
    std::optional<double> h;
    std::string code;  // UTF-8; empty when the file has none
    long line = 0;     // where the row begins, 1-based
};

struct SkippedRow {
    long line = 0;
    std::string reason;  // in Chinese, with full-width punctuation
};

struct PointFileReading {
    std::vector<ReadPoint> points;  // in the file's order
    std::vector<SkippedRow> skipped;
    bool headerSkipped = false;  // the first row held column names
};

// `s` without the blanks around it, the ideographic space of Chinese input
// among them: the one rule for a point's name, read from a file or typed.
std::string_view TrimmedBlanks(std::string_view s);

// Reads a whole coordinate file.
PointFileReading ReadPointFile(std::string_view bytes);

}  // namespace corvanet
