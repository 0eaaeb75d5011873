#include "text/tolerance_text.h"

#include <cmath>

#include "text/display_rules.h"
#include "text/number_reading.h"
#include "text/number_text.h"
#include "text/result_columns.h"

namespace corvanet {
namespace {

constexpr const char* kMeterForm = "测距精度应写成 a,b（a 为毫米，b 为 ppm），例如 2,2";

}  // namespace

std::optional<std::string> MeterPrecisionProblem(const MeterPrecision& meter)
{
    // Written so that a NaN fails the range checks too.
    if (!(meter.a >= 0.0 && meter.a <= kMaxMeterA))
        return "测距精度的固定误差 a 应在 0 到 " + TableNumber(kMaxMeterA) + " 毫米之间";
    if (!(meter.b >= 0.0 && meter.b <= kMaxMeterB))
        return "测距精度的比例误差 b 应在 0 到 " + TableNumber(kMaxMeterB) + " ppm 之间";
    if (meter.a == 0.0 && meter.b == 0.0) return std::string("测距精度的 a 和 b 不能都为 0");
    return std::nullopt;
}

std::variant<MeterPrecision, std::string> ReadMeterPrecision(std::string_view text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos)
        return std::string(kMeterForm);
    const std::optional<double> a = ReadNumber(text.substr(0, comma));
    const std::optional<double> b = ReadNumber(text.substr(comma + 1));
    if (!a || !b) return std::string(kMeterForm);
    const MeterPrecision meter{*a, *b};
    if (auto problem = MeterPrecisionProblem(meter)) return *std::move(problem);
    return meter;
}

std::string MeterText(const MeterPrecision& meter)
{
    return "±(" + TableNumber(meter.a) + " mm + " + TableNumber(meter.b) + " ppm·D)";
}

std::string LimitText(double limit) { return "±" + FormatRounded(limit, "0.00") + "秒"; }

const char* VerdictText(bool exceeded) { return exceeded ? "超限" : "合格"; }

std::string ToleranceTooltip(const MisclosureTest& test)
{
    return "限差 " + LimitText(test.limit) + "（2 倍中误差，测距精度 " + MeterText(test.meter) + "）：" +
           VerdictText(test.exceeded);
}

std::string ExceededNote(float w, const MisclosureTest& test)
{
    SurveyRecord shown;
    shown.w = w;
    return "注意：固定角闭合差 w = " + ResultText(ResultField::w, shown) + " 超过限差 " + LimitText(test.limit) +
           "（测距精度 " + MeterText(test.meter) + "，限差取 2 倍中误差），请检查观测边长。";
}

}  // namespace corvanet
