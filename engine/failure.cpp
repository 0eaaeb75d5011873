#include "engine/failure.h"

#include <array>
#include <string_view>

namespace corvanet {
namespace {

enum class Triangle { None, ABP, PBC };

struct StepInfo {
    Step step;
    const char* id;
    const char* text;
    Triangle triangle;   // the triangle an angle step solves
    const char* angle;   // the angle it computes, for the right-angle message
};

constexpr std::array kSteps{
    StepInfo{Step::ObservedS1, "entry.S1obs", "输入：第一条观测边长 S1", Triangle::None, ""},
    StepInfo{Step::ObservedS2, "entry.S2obs", "输入：第二条观测边长 S2", Triangle::None, ""},
    StepInfo{Step::ObservedS3, "entry.S3obs", "输入：第三条观测边长 S3", Triangle::None, ""},
    StepInfo{Step::DirectionBA, "adjustment.directionBA", "平差：B→A 的边长和方位角", Triangle::None, ""},
    StepInfo{Step::DirectionBC, "adjustment.directionBC", "平差：B→C 的边长和方位角", Triangle::None, ""},
    StepInfo{Step::MeasuredDistances, "adjustment.measuredDistances", "平差：观测边长", Triangle::None, ""},
    StepInfo{Step::AngleBAP, "adjustment.angBAP", "平差：三角形 ABP 中 A 点的角", Triangle::ABP, "BAP"},
    StepInfo{Step::AngleABP, "adjustment.angABP", "平差：三角形 ABP 中 B 点的角", Triangle::ABP, "ABP"},
    StepInfo{Step::AngleAPB, "adjustment.angAPB", "平差：三角形 ABP 中 P 点的角", Triangle::None, ""},
    StepInfo{Step::HeightH1, "adjustment.h1", "平差：B 点到直线 PA 的距离 h1", Triangle::None, ""},
    StepInfo{Step::AngleBPC, "adjustment.angBPC", "平差：三角形 PBC 中 P 点的角", Triangle::PBC, "BPC"},
    StepInfo{Step::AnglePBC, "adjustment.angPBC", "平差：三角形 PBC 中 B 点的角", Triangle::PBC, "PBC"},
    StepInfo{Step::HeightH2, "adjustment.h2", "平差：B 点到直线 PC 的距离 h2", Triangle::None, ""},
    StepInfo{Step::Misclosure, "adjustment.w", "平差：固定角条件闭合差 w", Triangle::None, ""},
    StepInfo{Step::Coefficients, "adjustment.coefficients", "平差：条件方程系数 a1、a2、a3", Triangle::None, ""},
    StepInfo{Step::NormalEquation, "adjustment.Naa", "平差：法方程系数", Triangle::None, ""},
    StepInfo{Step::Correlate, "adjustment.k", "平差：法方程式 K 系数", Triangle::None, ""},
    StepInfo{Step::Corrections, "adjustment.corrections", "平差：边长改正数", Triangle::None, ""},
    StepInfo{Step::MeanSquareError, "adjustment.ms", "平差：单位权测边中误差 ms", Triangle::None, ""},
    StepInfo{Step::AdjustedDistances, "adjustment.adjustedDistances", "平差：平差改正后边长", Triangle::None, ""},
    StepInfo{Step::AdjustedAngleBAP, "coordinates.angBAP", "座标推算：三角形 ABP 中 A 点的角", Triangle::ABP, "BAP"},
    StepInfo{Step::AdjustedAngleABP, "coordinates.angABP", "座标推算：三角形 ABP 中 B 点的角", Triangle::ABP, "ABP"},
    StepInfo{Step::AdjustedAngleAPB, "coordinates.angAPB", "座标推算：三角形 ABP 中 P 点的角", Triangle::None, ""},
    StepInfo{Step::AdjustedAngleBPC, "coordinates.angBPC", "座标推算：三角形 PBC 中 P 点的角", Triangle::PBC, "BPC"},
    StepInfo{Step::AdjustedAnglePBC, "coordinates.angPBC", "座标推算：三角形 PBC 中 B 点的角", Triangle::PBC, "PBC"},
    StepInfo{Step::AdjustedAngleBCP, "coordinates.angBCP", "座标推算：三角形 PBC 中 C 点的角", Triangle::None, ""},
    StepInfo{Step::AzimuthAP, "coordinates.alphaAP", "座标推算：A→P 的方位角", Triangle::None, ""},
    StepInfo{Step::AzimuthBP, "coordinates.alphaBP", "座标推算：B→P 的方位角", Triangle::None, ""},
    StepInfo{Step::AzimuthCP, "coordinates.alphaCP", "座标推算：C→P 的方位角", Triangle::None, ""},
    StepInfo{Step::CoordinateXp1, "coordinates.xp1", "座标推算：由 A 点推算待定点纵座标 Xp", Triangle::None, ""},
    StepInfo{Step::CoordinateYp1, "coordinates.yp1", "座标推算：由 A 点推算待定点横座标 Yp", Triangle::None, ""},
    StepInfo{Step::CoordinateXp2, "coordinates.xp2", "座标推算：由 B 点推算待定点纵座标 Xp", Triangle::None, ""},
    StepInfo{Step::CoordinateYp2, "coordinates.yp2", "座标推算：由 B 点推算待定点横座标 Yp", Triangle::None, ""},
    StepInfo{Step::CoordinateXp3, "coordinates.xp3", "座标推算：由 C 点推算待定点纵座标 Xp", Triangle::None, ""},
    StepInfo{Step::CoordinateYp3, "coordinates.yp3", "座标推算：由 C 点推算待定点横座标 Yp", Triangle::None, ""},
    StepInfo{Step::Derivatives, "precision.derivatives", "精度评定：座标对边长的偏导数", Triangle::None, ""},
    StepInfo{Step::Sums, "precision.sums", "精度评定：[ff] 与 [af]", Triangle::None, ""},
    StepInfo{Step::WeightReciprocals, "precision.px_py", "精度评定：座标权倒数 px、py", Triangle::None, ""},
    StepInfo{Step::ErrorMx, "precision.mx", "精度评定：纵座标中误差 mx", Triangle::None, ""},
    StepInfo{Step::ErrorMy, "precision.my", "精度评定：横座标中误差 my", Triangle::None, ""},
    StepInfo{Step::ErrorMd, "precision.md", "精度评定：点位中误差 md", Triangle::None, ""},
    StepInfo{Step::RelativeError, "precision.m", "精度评定：相对中误差 1/m", Triangle::None, ""},
};

// The table is complete and in the order of the enum: a step without its row
// does not compile.
constexpr bool InEnumOrder()
{
    for (std::size_t i = 0; i < kSteps.size(); ++i)
        if (static_cast<std::size_t>(kSteps[i].step) != i) return false;
    return true;
}
static_assert(kSteps.size() == kStepCount && InEnumOrder(), "every step has one row, in the order of Step");

const StepInfo& Info(Step step) { return kSteps[static_cast<std::size_t>(step)]; }

std::string TriangleName(Triangle t) { return t == Triangle::ABP ? "ABP" : "PBC"; }

std::string ZeroMdMessage(std::string_view cause)
{
    std::string why = "点位中误差 md 为零（闭合差为零）";
    if (cause == kZeroMdUnderflowMs)
        why = "点位中误差 md 为零：闭合差 w 不为零，但图形太小，单位权测边中误差 ms 下溢为零";
    else if (cause == kZeroMdWeights)
        why = "点位中误差 md 为零（座标权倒数 px、py 均为零）";
    else if (cause == kZeroMdUnderflowMxMy)
        why = "点位中误差 md 为零：图形太小，座标中误差 mx、my 下溢为零";
    return why + "，无法计算相对中误差 1/m。";
}

std::string FailureMessage(Step step, const ArithmeticFault& f)
{
    const StepInfo& info = Info(step);
    switch (f.fault) {
    case Fault::ZeroSide:
        if (info.triangle == Triangle::ABP) return "A 点与 B 点重合（边 AB 长度为零），无法构成三角形 ABP。";
        if (info.triangle == Triangle::PBC) return "C 点与 B 点重合（边 BC 长度为零），无法构成三角形 PBC。";
        return "三角形的边长为零。";
    case Fault::RightAngle:
        return "三角形 " + TriangleName(info.triangle) + " 中的角 " + info.angle + " 恰为直角，无法计算。";
    case Fault::NoTriangle:
        return "所给边长不能构成三角形 " + TriangleName(info.triangle) + "（两边之和须大于第三边），请检查座标和观测边长。";
    case Fault::SteepDirection:
        return step == Step::DirectionBC ? "B、C 两点纵座标之差相对横座标之差过小，无法计算 B→C 的方位角。"
                                         : "B、A 两点纵座标之差相对横座标之差过小，无法计算 B→A 的方位角。";
    case Fault::DivisionByZero:
        switch (step) {
        case Step::Coefficients:
            return "P 点落在直线 AB 或 BC 上（三角形的高为零），无法列出条件方程。";
        case Step::Derivatives:
            return "P 点落在三角形的边线上（三角形的高为零），无法计算偏导数。";
        case Step::RelativeError:
            return ZeroMdMessage(f.subject);
        default:
            return "运算中出现除以零。";
        }
    case Fault::NegativeRoot:
        switch (step) {
        case Step::ErrorMx: return "纵座标权倒数 px 为负值，无法计算中误差 mx。";
        case Step::ErrorMy: return "横座标权倒数 py 为负值，无法计算中误差 my。";
        default: return "运算中出现负数开平方。";
        }
    case Fault::NotPositive:
        return std::string("观测边长 ") + f.subject + " 必须大于零。";
    case Fault::NegativeAdjusted:
        return "平差改正后的边长不大于零，请检查 A、B、C 点的次序是否按自左向右顺序排列。";
    case Fault::Overflow:
        return "数值超出计算范围（溢出），请检查输入的座标和边长。";
    case Fault::Invalid:
        return "运算结果无效，请检查输入的座标和边长。";
    }
    return "运算失败。";
}

}  // namespace

const char* StepId(Step step) { return Info(step).id; }
const char* StepText(Step step) { return Info(step).text; }

CalculationFailure::CalculationFailure(Step step, const ArithmeticFault& fault)
    : CalculationFailure(step, FailureMessage(step, fault))
{
}

CalculationFailure::CalculationFailure(Step step, std::string message)
    : std::runtime_error(std::string(StepText(step)) + "：" + message), step_(step), message_(std::move(message))
{
}

}  // namespace corvanet
