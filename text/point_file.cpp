#include "text/point_file.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>

#include "text/escaped_text.h"
#include "text/number_text.h"

namespace corvanet {
namespace {

constexpr std::string_view kCsvHeader = "\xEF\xBB\xBFname,X,Y,md,m,w,limit,verdict,time\r\n";
constexpr std::string_view kKnownCsvHeader = "\xEF\xBB\xBFname,X,Y,H,code,source\r\n";
constexpr std::string_view kGb18030Replacement = "\x84\x31\xA4\x37";  // U+FFFD

bool IsAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// One converter a thread: the window may export while the tool does not.
iconv_t Gb18030Encoder()
{
    thread_local const iconv_t cd = iconv_open("GB18030", "UTF-8");
    return cd;
}

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

std::string ToGb18030(std::string_view utf8)
{
    if (IsAscii(utf8)) return std::string(utf8);
    const iconv_t cd = Gb18030Encoder();
    std::string out;
    if (cd == reinterpret_cast<iconv_t>(-1)) {  // no GB18030 in this C library
        for (char c : utf8) static_cast<unsigned char>(c) < 0x80 ? out += c : out += '?';
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // A character takes at most four bytes in GB18030, and at least one in UTF-8.
    out.resize(utf8.size() * 4 + 8);
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* o = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<std::size_t>(-1)) break;
        // A byte that is not UTF-8 (EILSEQ, or EINVAL cut short at the end).
        o = std::copy(kGb18030Replacement.begin(), kGb18030Replacement.end(), o);
        outLeft -= kGb18030Replacement.size();
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv(cd, nullptr, nullptr, &o, &outLeft);
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace corvanet
