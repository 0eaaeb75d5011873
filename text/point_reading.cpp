#include "text/point_reading.h"

#include <array>
#include <initializer_list>
#include <unordered_map>

#include "text/csv_rows.h"
#include "text/escaped_text.h"
#include "text/number_reading.h"
#include "text/text_decoding.h"
#include "text/utf8.h"

namespace corvanet {
namespace {

// No row of a coordinate file comes near this; a longer one is not read.
constexpr std::size_t kMaxPointRow = std::size_t(64) << 10;
constexpr std::size_t kFewestFields = 3;
constexpr std::size_t kMostFields = 5;
// How much of an unreadable value a reason quotes.
constexpr std::size_t kQuotedCharacters = 40;

enum class Column { Name, Code, X, Y, H, None };

// Where each value stands in a row of `fields` fields: 点名,X,Y,
// 点名,X,Y,H, or DAT's 点名,编码,Y,X,H.
struct Layout {
    std::size_t name = 0, code = kMostFields, x = 1, y = 2, h = kMostFields;
};

Layout LayoutOf(std::size_t fields)
{
    if (fields == 5) return {0, 1, 3, 2, 4};
    if (fields == 4) return {0, kMostFields, 1, 2, 3};
    return {};
}

std::string AsciiLower(std::string_view s)
{
    std::string lower(s);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower;
}

// The column a header cell names, any case, a unit after it allowed
// ("X(m)", "高程（米）"); None for a cell that names no column.
Column ColumnNamed(std::string_view decoded)
{
    std::string cell = AsciiLower(TrimmedBlanks(decoded));
    for (std::string_view unit : {"(m)", "（m）", "[m]", "/m", "(米)", "（米）"})
        if (cell.size() > unit.size() && cell.compare(cell.size() - unit.size(), unit.size(), unit) == 0) {
            cell.resize(cell.size() - unit.size());
            cell = std::string(TrimmedBlanks(cell));
            break;
        }
    struct Words {
        Column column;
        std::initializer_list<std::string_view> words;
    };
    static const Words kWords[] = {
        {Column::Name, {"点名", "点号", "名称", "点", "name", "point", "pt", "id"}},
        {Column::Code, {"编码", "代码", "特征码", "code"}},
        {Column::X, {"x", "n", "north", "northing", "纵坐标", "纵座标", "x坐标", "x座标", "北坐标", "北"}},
        {Column::Y, {"y", "e", "east", "easting", "横坐标", "横座标", "y坐标", "y座标", "东坐标", "东"}},
        {Column::H, {"h", "z", "height", "elevation", "elev", "高程", "高"}},
    };
    for (const Words& w : kWords)
        for (std::string_view word : w.words)
            if (cell == word) return w.column;
    return Column::None;
}

// "inf", "-Infinity", "NaN", and the forms of older Windows programs
// ("1.#INF", "-1.#IND"): values meant as no finite number.
bool IsNonFiniteWord(std::string_view field)
{
    std::string s = AsciiLower(TrimmedBlanks(field));
    std::string_view v = s;
    if (!v.empty() && (v.front() == '+' || v.front() == '-')) v.remove_prefix(1);
    if (v == "inf" || v == "infinity" || v == "nan") return true;
    return v.substr(0, 3) == "1.#";
}

std::size_t CharacterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); i += Utf8CharAt(utf8, i).length) ++count;
    return count;
}

bool IsBlankRow(const CsvRow& row)
{
    if (row.fault != CsvRow::Fault::None || row.fieldCount > kMostFields) return false;
    for (std::size_t i = 0; i < row.fieldCount; ++i)
        if (!TrimmedBlanks(row.fields[i]).empty()) return false;
    return true;
}

class PointReader {
public:
    explicit PointReader(std::string_view bytes) : decoder_(TextDecoder::ForWhole(bytes)) {}

    void Row(const CsvRow& row)
    {
        if (IsBlankRow(row)) return;
        const bool first = !begun_;
        begun_ = true;
        if (first && IsHeader(row)) {
            reading_.headerSkipped = true;
            return;
        }
        ReadPoint point;
        point.line = row.line;
        if (std::string why = Read(row, point); !why.empty()) {
            reading_.skipped.push_back({row.line, std::move(why)});
            return;
        }
        const auto [at, added] = lines_.emplace(point.name, row.line);
        if (!added) {
            reading_.skipped.push_back(
                {row.line, "点名“" + TerminalSafe(point.name) + "”与第 " + LineNumberText(at->second) + " 行重复"});
            return;
        }
        reading_.points.push_back(std::move(point));
    }

    PointFileReading Result() { return std::move(reading_); }

private:
    // A header names the coordinates in their places: X and Y (a header may
    // give them the other way round, and then the rows of its length are
    // read that way), and H, if the layout has it, named or empty.
    bool IsHeader(const CsvRow& row)
    {
        if (row.fault != CsvRow::Fault::None || row.fieldCount < kFewestFields || row.fieldCount > kMostFields)
            return false;
        const Layout layout = LayoutOf(row.fieldCount);
        const Column atX = ColumnNamed(decoder_.Decode(row.fields[layout.x]));
        const Column atY = ColumnNamed(decoder_.Decode(row.fields[layout.y]));
        const bool coordinates = (atX == Column::X && atY == Column::Y) || (atX == Column::Y && atY == Column::X);
        if (!coordinates) return false;
        if (layout.h < row.fieldCount && !TrimmedBlanks(row.fields[layout.h]).empty() &&
            ColumnNamed(decoder_.Decode(row.fields[layout.h])) != Column::H)
            return false;
        if (atX == Column::Y) swapped_[row.fieldCount] = true;
        return true;
    }

    // What keeps the row from being a point, or nothing when `point` has it.
    std::string Read(const CsvRow& row, ReadPoint& point)
    {
        switch (row.fault) {
        case CsvRow::Fault::TooLong: return "这一行太长（超过 64 KiB）";
        case CsvRow::Fault::OpenQuote: return "引号不成对：字段的引号没有结束";
        case CsvRow::Fault::None: break;
        }
        if (row.fieldCount < kFewestFields || row.fieldCount > kMostFields)
            return std::string(row.fieldCount < kFewestFields ? "字段不足" : "字段过多") + "：应有 3 到 5 个字段，实有 " +
                   std::to_string(row.fieldCount) + " 个";
        Layout layout = LayoutOf(row.fieldCount);
        if (swapped_[row.fieldCount]) std::swap(layout.x, layout.y);

        point.name = std::string(TrimmedBlanks(decoder_.Decode(row.fields[layout.name])));
        if (point.name.empty()) return "点名为空";
        if (const std::size_t length = CharacterCount(point.name); length > kMaxPointNameLength)
            return "点名过长：" + std::to_string(length) + " 个字符，最多 " + std::to_string(kMaxPointNameLength) + " 个";
        if (layout.code < row.fieldCount) point.code = std::string(TrimmedBlanks(decoder_.Decode(row.fields[layout.code])));

        if (std::string why = Number(row.fields[layout.x], "X", point.x); !why.empty()) return why;
        if (std::string why = Number(row.fields[layout.y], "Y", point.y); !why.empty()) return why;
        if (layout.h < row.fieldCount && !TrimmedBlanks(row.fields[layout.h]).empty()) {
            double h = 0.0;
            if (std::string why = Number(row.fields[layout.h], "H", h); !why.empty()) return why;
            point.h = h;
        }
        return {};
    }

    std::string Number(std::string_view field, const char* label, double& value)
    {
        const NumberReading number = ReadNumberTelling(field);
        if (number.value) {
            value = *number.value;
            return {};
        }
        const std::string quoted = "“" + TerminalSafe(Excerpt(decoder_.Decode(field), kQuotedCharacters)) + "”";
        if (TrimmedBlanks(field).empty()) return std::string(label) + " 不是数值（空）";
        if (IsNonFiniteWord(field)) return std::string(label) + " 不是有限数值：" + quoted;
        switch (number.problem) {
        case NumberProblem::TooLarge: return std::string(label) + " 不是有限数值（绝对值太大）：" + quoted;
        case NumberProblem::TooSmall: return std::string(label) + " 不是有限数值（不为零，但绝对值太小，会成为零）：" + quoted;
        case NumberProblem::None:
        case NumberProblem::NotANumber: break;
        }
        return std::string(label) + " 不是数值：" + quoted;
    }

    TextDecoder decoder_;
    PointFileReading reading_;
    std::unordered_map<std::string, long> lines_;  // the line of each name read
    std::array<bool, kMostFields + 1> swapped_{};  // by field count: Y before X, as the header said
    bool begun_ = false;
};

}  // namespace

std::string_view TrimmedBlanks(std::string_view s)
{
    constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    for (;;) {
        const std::size_t before = s.size();
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
        if (s.substr(0, kIdeographicSpace.size()) == kIdeographicSpace) s.remove_prefix(kIdeographicSpace.size());
        if (s.size() >= kIdeographicSpace.size() && s.substr(s.size() - kIdeographicSpace.size()) == kIdeographicSpace)
            s.remove_suffix(kIdeographicSpace.size());
        if (s.size() == before) return s;
    }
}

PointFileReading ReadPointFile(std::string_view bytes)
{
    PointReader reader(bytes);
    CsvRowReader rows(kMostFields, kMaxPointRow, [&reader](const CsvRow& row) { reader.Row(row); });
    rows.Feed(WithoutByteOrderMark(bytes));
    rows.Finish();
    return reader.Result();
}

}  // namespace corvanet
