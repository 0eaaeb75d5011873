#include "text/entry_inputs.h"

#include <array>

#include "text/display_rules.h"

namespace corvanet {
namespace {

// The three confirmation texts, parentheses unbalanced as the users know them.
constexpr const char* kConfirm1 = "确认输入是否正确入 ? 输入正确单击 Enter 键 );输入错误输入( 即为:0)";
constexpr const char* kConfirm2 = "确认输入是否正确入 ? 输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0) ";
constexpr const char* kConfirm3 = "确认输入是否正确 ? 输入正确单击 Enter 键 );输入错误输入( 即为:0)";

using R = SurveyRecord;
using enum EchoRule;
constexpr std::array<EntryInput, 10> kInputs{{
    {&R::Xa, "Text1", "Xa", Coordinate, "请输入左側已知点 A 纵座标 Xa :", "输入左側已知点 A 正确的纵座标 Xa :", kConfirm1,
     kConfirm1, true, 0},
    {&R::Ya, "Text2", "Ya", Coordinate, "请输入左側已知点 A 横座标 Ya :", "输入左側已知点 A 正确的横座标 Ya :", kConfirm1,
     kConfirm1, true, 0},
    {&R::Xb, "Text3", "Xb", Coordinate, "请输入中间已知点 B 纵座标 Xb :", "输入中间已知点 B 正确的纵座标 Xb :", kConfirm1,
     kConfirm1, true, 0},
    {&R::Yb, "Text4", "Yb", Coordinate, "请输入中间已知点 B 横座标 Yb:", "输入中间已知点 B 正确的横座标 Yb :", kConfirm2,
     kConfirm1, true, 0},
    {&R::Xc, "Text5", "Xc", Coordinate, "请输入右側已知点 C 纵座标 Xc :", "输入右側已知点 C 正确的纵座标 Xc :", kConfirm1,
     kConfirm1, true, 0},
    {&R::Yc, "Text6", "Yc", Coordinate, "请输入右侧已知点 C 横座标 Yc :", "输入右側已知点 C 正确的横座标 Yc :", kConfirm1,
     kConfirm1, false, 0},
    {nullptr, "Text11", "待定点点名", PointName, "请输入待定点 P 的点名 :", nullptr, nullptr, nullptr, true, 0},
    {&R::S1, "Text7", "S1", Distance, "请输入第一条观测边长 S1 :", "输入第一条观测边长 S1 正确的数值 :", kConfirm3,
     kConfirm3, true, 1},
    {&R::S2, "Text8", "S2", Distance, "请输入第二条观测边长 S2 :", "输入第二条观测边长 S2 正确的数值 :", kConfirm1,
     kConfirm3, true, 2},
    {&R::S3, "Text9", "S3", Distance, "请输入第三条观测边长 S3 :", "输入第三条观测边长 S3 正确的数值 :", kConfirm3,
     kConfirm3, true, 3},
}};

}  // namespace

std::span<const EntryInput> EntryInputs() { return kInputs; }

std::string EchoText(const EntryInput& input, const SurveyRecord& record)
{
    switch (input.echo) {
    case EchoRule::Coordinate: return CoordinateEchoText(record.*input.value);
    case EchoRule::Distance: return DistanceEchoText(record.*input.value);
    case EchoRule::PointName: return PointNameEchoText(record.PointName);
    }
    return {};
}

}  // namespace corvanet
