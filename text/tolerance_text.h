#pragma once
// The misclosure test as the user reads it: the meter's precision, the limit,
// the verdict, the window's tooltip and the report's note; and the meter's
// precision as typed on the command line.
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "engine/tolerance.h"

namespace corvanet {

// The meter's stated precision may not exceed these: beyond them the figure
// is a typing error, not an instrument.
inline constexpr double kMaxMeterA = 1000.0;  // mm
inline constexpr double kMaxMeterB = 1000.0;  // ppm

// Empty when `meter` is usable: both finite, not negative, within the
// bounds, not both zero; otherwise the reason, in a sentence.
std::optional<std::string> MeterPrecisionProblem(const MeterPrecision& meter);

// "a,b" (mm, ppm), e.g. "2,2" or "1,1.5": the meter, or why it is not one.
std::variant<MeterPrecision, std::string> ReadMeterPrecision(std::string_view text);

// "±(2 mm + 2 ppm·D)"
std::string MeterText(const MeterPrecision& meter);
// "±4.91秒"
std::string LimitText(double limit);
// "合格" or "超限"
const char* VerdictText(bool exceeded);

// "限差 ±4.91秒（2 倍中误差，测距精度 ±(2 mm + 2 ppm·D)）：合格"
std::string ToleranceTooltip(const MisclosureTest& test);

// The report's note for a misclosure beyond the limit: "注意：固定角闭合差
// w = -52.84秒 超过限差 ±4.91秒（…），请检查观测边长。"; `w` as the record stores it.
std::string ExceededNote(float w, const MisclosureTest& test);

}  // namespace corvanet
