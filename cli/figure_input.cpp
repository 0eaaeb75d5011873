#include "cli/figure_input.h"

#include <string>

#include "cli/safe_text.h"
#include "text/point_reading.h"
#include "text/number_reading.h"

namespace corvanet {
namespace {

constexpr const char* kFieldNames[10] = {"Xa", "Ya", "Xb", "Yb", "Xc", "Yc", "点名", "S1", "S2", "S3"};
constexpr int kNameIndex = 6;
// How much of an unreadable value a message quotes.
constexpr std::size_t kQuotedCharacters = 40;

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t\r\f\v") == std::string_view::npos; }

std::string Quoted(const std::string& name) { return "“" + TerminalSafe(Excerpt(name, kQuotedCharacters)) + "”"; }

// What is wrong with the field of input `i`, which gives no value.
std::string Unreadable(int i, NumberProblem problem, const std::string& text)
{
    return std::string(kFieldNames[i]) + " " + NumberProblemText(problem) + "：\"" +
           TerminalSafe(Excerpt(text, kQuotedCharacters)) + "\"";
}

}  // namespace

std::variant<SurveyRecord, InputError> FigureFromFields(const std::string_view (&fields)[10], TextDecoder& decoder,
                                                        long firstLine, FigureNames* names)
{
    double value[10] = {};
    if (names) names->picked = {};
    // The known point the X just read came from, until its Y is read.
    std::optional<NamedPoint> point;
    std::string pointName;
    for (int i = 0; i < 10; ++i) {
        if (i == kNameIndex) continue;
        const int corner = i < kNameIndex ? i / 2 : -1;  // A, B, C
        const bool x = corner >= 0 && i % 2 == 0;
        if (names && corner >= 0 && !x && point) {
            if (names->xIsName || IsBlank(fields[i])) {
                value[i] = point->y;
            } else {
                const NumberReading v = ReadNumberTelling(fields[i]);
                if (!v.value) return InputError{firstLine + i, Unreadable(i, v.problem, decoder.Decode(fields[i]))};
                value[i] = *v.value;  // a Y typed wins over the point's
            }
            // As at the prompts: the name stands for the corner only when
            // the Y is the point's too.
            if (value[i] == point->y) names->picked[static_cast<std::size_t>(corner)] = pointName;
            point.reset();
            continue;
        }
        const NumberReading v = names && x && names->xIsName ? NumberReading{} : ReadNumberTelling(fields[i]);
        if (!v.value && names && x) {
            pointName = std::string(TrimmedBlanks(decoder.Decode(fields[i])));
            if (!pointName.empty()) point = names->lookup(pointName);
            if (point) {
                value[i] = point->x;
                continue;
            }
            const std::string column(1, static_cast<char>('A' + corner));
            if (names->xIsName)
                return InputError{firstLine + i, pointName.empty()
                                                     ? column + " 列没有点名"
                                                     : "作业中没有名为" + Quoted(pointName) + "的已知点（" + column + " 列）"};
            if (!pointName.empty())
                return InputError{firstLine + i, Unreadable(i, v.problem, pointName) + "，作业中也没有名为" +
                                                     Quoted(pointName) + "的已知点"};
        }
        if (!v.value) return InputError{firstLine + i, Unreadable(i, v.problem, decoder.Decode(fields[i]))};
        value[i] = *v.value;
    }
    SurveyRecord r;
    r.Xa = value[0], r.Ya = value[1], r.Xb = value[2], r.Yb = value[3], r.Xc = value[4], r.Yc = value[5];
    r.PointName = decoder.Decode(fields[kNameIndex]);
    r.S1 = value[7], r.S2 = value[8], r.S3 = value[9];
    return r;
}

std::variant<SurveyRecord, InputError> ReadFigure(LineReader& in, FigureNames* names)
{
    std::string lines[10];
    bool tooLong = false;
    for (int i = 0; i < 10; ++i) {
        if (!in.Next(lines[i], kMaxInputLine, tooLong))
            return InputError{i + 1, "输入不足十行：缺少 " + std::string(kFieldNames[i])};
        if (tooLong) return InputError{i + 1, "这一行太长（超过 32 MiB）"};
    }
    std::string extra;
    while (in.Next(extra, kMaxInputLine, tooLong))
        if (tooLong || !IsBlank(extra)) return InputError{in.LineNumber(), "十行之后还有输入：一个图形只有十行"};

    const std::string_view first = WithoutByteOrderMark(lines[0]);
    const std::string_view fields[10] = {first,    lines[1], lines[2], lines[3], lines[4],
                                         lines[5], lines[6], lines[7], lines[8], lines[9]};
    TextDecoder decoder;
    return FigureFromFields(fields, decoder, 1, names);
}

}  // namespace corvanet
