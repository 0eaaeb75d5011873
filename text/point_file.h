#pragma once
// The two files the points of a job are exported to: DAT, the line format
// that mapping CAD reads (点名,编码,Y,X,H), and CSV for a spreadsheet, with
// the misclosure test and the time of each calculation; and the same two
// files of a job's known points. Plain C++, no Qt.
#include <optional>
#include <string>
#include <string_view>

#include "text/text_decoding.h"  // ToGb18030

namespace corvanet {

enum class PointFileFormat { Dat, Csv };
enum class PointEncoding { Gb18030, Utf8 };

// The format a file's extension names (".dat" or ".csv", any case); none
// for another or none.
std::optional<PointFileFormat> PointFileFormatOf(std::string_view path);

// One point as a job keeps it.
struct ExportedPoint {
    std::string_view name;  // UTF-8
    double x = 0.0;         // northing
    double y = 0.0;         // easting
    std::optional<double> md, m, w, limit;
    std::string_view verdict;  // "pass", "exceeded" or empty, as stored
    std::string_view time;     // as stored: ISO 8601, UTC
};

// What a file starts with: CSV's byte-order mark and header, nothing for DAT.
std::string_view PointFileHeader(PointFileFormat format);

// Appends the point's line, CRLF included, to `out`. A DAT line is
// `name,,Y,X,` with Y and X to four decimals (rounded as the result boxes
// round them), in `encoding`; a CSV line is UTF-8 whatever `encoding` says,
// its numbers the shortest text that reads back as the same double.
// Returns why the point cannot be written (a DAT name holding a comma, a
// quote or a line break), with `out` unchanged; none when it was written.
std::optional<std::string> AppendPointLine(std::string& out, const ExportedPoint& point, PointFileFormat format,
                                           PointEncoding encoding = PointEncoding::Gb18030);

// A known point as a job keeps it.
struct ExportedKnownPoint {
    std::string_view name;  // UTF-8
    double x = 0.0;         // northing
    double y = 0.0;         // easting
    std::optional<double> h;
    std::string_view code;    // UTF-8; empty when none
    std::string_view source;  // as stored: a file's name, "entered" or "computed"
};

// What a file of known points starts with: for CSV the byte-order mark and
// the header `name,X,Y,H,code,source`, nothing for DAT.
std::string_view KnownPointFileHeader(PointFileFormat format);

// Appends a known point's line, CRLF included, to `out`. DAT as above, with
// the code and H (four decimals, rounded the same way) in their places,
// empty when there are none; a name or code holding a comma, a quote or a
// line break is refused, with `out` unchanged. CSV quoted, guarded and with
// numbers as above, H empty when there is none.
std::optional<std::string> AppendKnownPointLine(std::string& out, const ExportedKnownPoint& point,
                                                PointFileFormat format, PointEncoding encoding = PointEncoding::Gb18030);

}  // namespace corvanet
