#include "cli/figure_input.h"

#include <string>

#include "cli/safe_text.h"
#include "text/number_reading.h"

namespace corvanet {
namespace {

constexpr const char* kFieldNames[10] = {"Xa", "Ya", "Xb", "Yb", "Xc", "Yc", "点名", "S1", "S2", "S3"};
constexpr int kNameIndex = 6;
// How much of an unreadable value a message quotes.
constexpr std::size_t kQuotedCharacters = 40;

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t\r\f\v") == std::string_view::npos; }

}  // namespace

std::variant<SurveyRecord, InputError> FigureFromFields(const std::string_view (&fields)[10], TextDecoder& decoder,
                                                        long firstLine)
{
    double value[10] = {};
    for (int i = 0; i < 10; ++i) {
        if (i == kNameIndex) continue;
        const NumberReading v = ReadNumberTelling(fields[i]);
        if (!v.value)
            return InputError{firstLine + i, std::string(kFieldNames[i]) + " " + NumberProblemText(v.problem) + "：\"" +
                                                 TerminalSafe(Excerpt(decoder.Decode(fields[i]), kQuotedCharacters)) +
                                                 "\""};
        value[i] = *v.value;
    }
    SurveyRecord r;
    r.Xa = value[0], r.Ya = value[1], r.Xb = value[2], r.Yb = value[3], r.Xc = value[4], r.Yc = value[5];
    r.PointName = decoder.Decode(fields[kNameIndex]);
    r.S1 = value[7], r.S2 = value[8], r.S3 = value[9];
    return r;
}

std::variant<SurveyRecord, InputError> ReadFigure(LineReader& in)
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
    return FigureFromFields(fields, decoder);
}

}  // namespace corvanet
