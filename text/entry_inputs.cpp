#include "text/entry_inputs.h"

#include <array>

namespace corvanet {
namespace {

// The three confirmation texts, parentheses unbalanced as the users know them.
constexpr const char* kConfirm1 = "确认输入是否正确入 ? 输入正确单击 Enter 键 );输入错误输入( 即为:0)";
constexpr const char* kConfirm2 = "确认输入是否正确入 ? 输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0) ";
constexpr const char* kConfirm3 = "确认输入是否正确 ? 输入正确单击 Enter 键 );输入错误输入( 即为:0)";

// A row read from the record's fields.
constexpr EntryInput Input(const RecordField& field, const char* label, const char* prompt, const char* reentryPrompt,
                           const char* firstConfirmation, const char* laterConfirmation, bool echoAfterReentry)
{
    return {&field, field.member.real, field.box, label, prompt, reentryPrompt, firstConfirmation, laterConfirmation,
            echoAfterReentry, nullptr, 0};
}

// A measured distance: `observed` is the single copy taken when it is accepted.
// (No null test of a row's address here: GCC's sanitizer build cannot
// evaluate one at compile time.)
constexpr EntryInput Input(const RecordField& field, const char* label, const char* prompt, const char* reentryPrompt,
                           const char* firstConfirmation, const char* laterConfirmation, bool echoAfterReentry,
                           const RecordField& observed)
{
    EntryInput in = Input(field, label, prompt, reentryPrompt, firstConfirmation, laterConfirmation, echoAfterReentry);
    in.observed = &observed;
    in.observedSide = static_cast<int>(*observed.storedBy) - static_cast<int>(Step::ObservedS1) + 1;
    return in;
}

constexpr std::array<EntryInput, 10> kInputs{{
    Input(FieldNamed("Xa"), "Xa", "请输入左側已知点 A 纵座标 Xa :", "输入左側已知点 A 正确的纵座标 Xa :", kConfirm1,
          kConfirm1, true),
    Input(FieldNamed("Ya"), "Ya", "请输入左側已知点 A 横座标 Ya :", "输入左側已知点 A 正确的横座标 Ya :", kConfirm1,
          kConfirm1, true),
    Input(FieldNamed("Xb"), "Xb", "请输入中间已知点 B 纵座标 Xb :", "输入中间已知点 B 正确的纵座标 Xb :", kConfirm1,
          kConfirm1, true),
    Input(FieldNamed("Yb"), "Yb", "请输入中间已知点 B 横座标 Yb:", "输入中间已知点 B 正确的横座标 Yb :", kConfirm2,
          kConfirm1, true),
    Input(FieldNamed("Xc"), "Xc", "请输入右側已知点 C 纵座标 Xc :", "输入右側已知点 C 正确的纵座标 Xc :", kConfirm1,
          kConfirm1, true),
    Input(FieldNamed("Yc"), "Yc", "请输入右侧已知点 C 横座标 Yc :", "输入右側已知点 C 正确的横座标 Yc :", kConfirm1,
          kConfirm1, false),
    Input(FieldNamed("PointName"), "待定点点名", "请输入待定点 P 的点名 :", nullptr, nullptr, nullptr, true),
    Input(FieldNamed("S1"), "S1", "请输入第一条观测边长 S1 :", "输入第一条观测边长 S1 正确的数值 :", kConfirm3,
          kConfirm3, true, FieldNamed("S1obs")),
    Input(FieldNamed("S2"), "S2", "请输入第二条观测边长 S2 :", "输入第二条观测边长 S2 正确的数值 :", kConfirm1,
          kConfirm3, true, FieldNamed("S2obs")),
    Input(FieldNamed("S3"), "S3", "请输入第三条观测边长 S3 :", "输入第三条观测边长 S3 正确的数值 :", kConfirm3,
          kConfirm3, true, FieldNamed("S3obs")),
}};

}  // namespace

std::span<const EntryInput> EntryInputs() { return kInputs; }

std::string EchoText(const EntryInput& input, const SurveyRecord& record) { return BoxText(*input.field, record); }

}  // namespace corvanet
