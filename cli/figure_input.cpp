#include "cli/figure_input.h"

#include "text/number_reading.h"

namespace corvanet {
namespace {

constexpr const char* kFieldNames[10] = {"Xa", "Ya", "Xb", "Yb", "Xc", "Yc", "点名", "S1", "S2", "S3"};
constexpr int kNameIndex = 6;

}  // namespace

std::variant<SurveyRecord, InputError> FigureFromFields(const std::string (&fields)[10], int firstLine)
{
    double value[10] = {};
    for (int i = 0; i < 10; ++i) {
        if (i == kNameIndex) continue;
        const auto v = ReadNumber(fields[i]);
        if (!v) return InputError{firstLine + i, std::string(kFieldNames[i]) + " 不是一个数值：\"" + fields[i] + "\""};
        value[i] = *v;
    }
    SurveyRecord r;
    r.Xa = value[0], r.Ya = value[1], r.Xb = value[2], r.Yb = value[3], r.Xc = value[4], r.Yc = value[5];
    r.PointName = fields[kNameIndex];
    r.S1 = value[7], r.S2 = value[8], r.S3 = value[9];
    // The measured copies are narrowed when each distance is accepted.
    r.S1obs = static_cast<float>(r.S1);
    r.S2obs = static_cast<float>(r.S2);
    r.S3obs = static_cast<float>(r.S3);
    return r;
}

std::variant<SurveyRecord, InputError> ReadFigure(std::istream& in)
{
    std::string fields[10];
    for (int i = 0; i < 10; ++i) {
        if (!std::getline(in, fields[i]))
            return InputError{i + 1, "输入不足十行：缺少 " + std::string(kFieldNames[i])};
        if (!fields[i].empty() && fields[i].back() == '\r') fields[i].pop_back();
    }
    return FigureFromFields(fields);
}

}  // namespace corvanet
