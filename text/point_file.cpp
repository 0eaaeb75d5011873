#include "text/point_file.h"

#include <algorithm>
#include <cctype>

#include "text/escaped_text.h"
#include "text/number_text.h"
#include "text/text_decoding.h"

namespace corvanet {
namespace {

constexpr std::string_view kCsvHeader = "\xEF\xBB\xBFname,X,Y,md,m,w,limit,verdict,time\r\n";
constexpr std::string_view kKnownCsvHeader = "\xEF\xBB\xBFname,X,Y,H,code,source\r\n";

void AppendNumber(std::string& out, double value)
{
    char buf[kShortestTextRoom];
    out.append(buf, WriteShortestText(buf, value));
}

// RFC 4180: quoted when it holds a comma, a quote or a line break, quotes
// doubled. A leading = + - @ tab or CR gets an apostrophe, as in the batch,
// so that a spreadsheet shows the name and does not evaluate it.
void AppendCsvText(std::string& out, std::string_view text)
{
    const bool formula = !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos;
    if (quoted) out += '"';
    if (formula) out += '\'';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    if (quoted) out += '"';
}

void AppendCsvNumber(std::string& out, const std::optional<double>& value)
{
    out += ',';
    if (value) AppendNumber(out, *value);
}

// A CSV row's first three cells: the name, X and Y.
void AppendCsvPoint(std::string& out, std::string_view name, double x, double y)
{
    AppendCsvText(out, name);
    out += ',';
    AppendNumber(out, x);
    out += ',';
    AppendNumber(out, y);
}

// `name,code,Y,X,H`. The readers of DAT split at every comma and know no
// quotes: a name or code holding one would move Y into X's place.
std::optional<std::string> AppendDatLine(std::string& out, std::string_view name, std::string_view code, double x,
                                         double y, const std::optional<double>& h, PointEncoding encoding)
{
    constexpr std::string_view kBreaksDat = ",\"\r\n";
    if (name.find_first_of(kBreaksDat) != std::string_view::npos)
        return "点名“" + TerminalSafe(name) + "”含有逗号、引号或换行，DAT 文件写不下";
    if (code.find_first_of(kBreaksDat) != std::string_view::npos)
        return "点“" + TerminalSafe(name) + "”的编码“" + TerminalSafe(code) + "”含有逗号、引号或换行，DAT 文件写不下";
    const auto text = [encoding](std::string_view utf8) {
        return encoding == PointEncoding::Gb18030 ? ToGb18030(utf8) : std::string(utf8);
    };
    out += text(name);
    out += ',';
    out += text(code);
    out += ',';
    out += FormatRounded(y, "0.0000");
    out += ',';
    out += FormatRounded(x, "0.0000");
    out += ',';
    if (h) out += FormatRounded(*h, "0.0000");
    out += "\r\n";
    return std::nullopt;
}

}  // namespace

std::optional<PointFileFormat> PointFileFormatOf(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) return std::nullopt;
    std::string extension(path.substr(dot + 1));
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "dat") return PointFileFormat::Dat;
    if (extension == "csv") return PointFileFormat::Csv;
    return std::nullopt;
}

std::string_view PointFileHeader(PointFileFormat format)
{
    return format == PointFileFormat::Csv ? kCsvHeader : std::string_view();
}

std::optional<std::string> AppendPointLine(std::string& out, const ExportedPoint& p, PointFileFormat format,
                                           PointEncoding encoding)
{
    if (format == PointFileFormat::Csv) {
        AppendCsvPoint(out, p.name, p.x, p.y);
        AppendCsvNumber(out, p.md);
        AppendCsvNumber(out, p.m);
        AppendCsvNumber(out, p.w);
        AppendCsvNumber(out, p.limit);
        out += ',';
        AppendCsvText(out, p.verdict);
        out += ',';
        AppendCsvText(out, p.time);
        out += "\r\n";
        return std::nullopt;
    }
    return AppendDatLine(out, p.name, {}, p.x, p.y, std::nullopt, encoding);
}

std::string_view KnownPointFileHeader(PointFileFormat format)
{
    return format == PointFileFormat::Csv ? kKnownCsvHeader : std::string_view();
}

std::optional<std::string> AppendKnownPointLine(std::string& out, const ExportedKnownPoint& p, PointFileFormat format,
                                                PointEncoding encoding)
{
    if (format == PointFileFormat::Dat) return AppendDatLine(out, p.name, p.code, p.x, p.y, p.h, encoding);
    AppendCsvPoint(out, p.name, p.x, p.y);
    AppendCsvNumber(out, p.h);
    out += ',';
    AppendCsvText(out, p.code);
    out += ',';
    AppendCsvText(out, p.source);
    out += "\r\n";
    return std::nullopt;
}


}  // namespace corvanet
