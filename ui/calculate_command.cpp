#include "ui/calculate_command.h"

#include "engine/calculation.h"
#include "engine/constants.h"
#include "text/display_rules.h"
#include "text/number_reading.h"
#include "ui/traced_fields.h"

namespace corvanet {
namespace {

// The three confirmation texts, parentheses unbalanced as the users know them.
constexpr const char* kConfirm1 = "确认输入是否正确入 ? 输入正确单击 Enter 键 );输入错误输入( 即为:0)";
constexpr const char* kConfirm2 = "确认输入是否正确入 ? 输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0) ";
constexpr const char* kConfirm3 = "确认输入是否正确 ? 输入正确单击 Enter 键 );输入错误输入( 即为:0)";

constexpr const char* kPointNamePrompt = "请输入待定点 P 的点名 :";
constexpr const char* kNeedNumber = "请输入一个数值。";

// One numeric input as the entry tables give it.
struct NumericInput {
    double SurveyRecord::*value;
    const char* box;
    const char* prompt;
    const char* reentryPrompt;
    const char* firstConfirmation;
    const char* laterConfirmation;
    std::string (*echo)(double);
    bool echoAfterReentry = true;             // Yc's field stays empty until it is accepted
    float SurveyRecord::*observed = nullptr;  // S1obs..S3obs, taken when the confirmation ends
};

using R = SurveyRecord;
constexpr NumericInput kXa{&R::Xa, "Text1", "请输入左側已知点 A 纵座标 Xa :", "输入左側已知点 A 正确的纵座标 Xa :",
                           kConfirm1, kConfirm1, CoordinateEchoText};
constexpr NumericInput kYa{&R::Ya, "Text2", "请输入左側已知点 A 横座标 Ya :", "输入左側已知点 A 正确的横座标 Ya :",
                           kConfirm1, kConfirm1, CoordinateEchoText};
constexpr NumericInput kXb{&R::Xb, "Text3", "请输入中间已知点 B 纵座标 Xb :", "输入中间已知点 B 正确的纵座标 Xb :",
                           kConfirm1, kConfirm1, CoordinateEchoText};
constexpr NumericInput kYb{&R::Yb, "Text4", "请输入中间已知点 B 横座标 Yb:", "输入中间已知点 B 正确的横座标 Yb :",
                           kConfirm2, kConfirm1, CoordinateEchoText};
constexpr NumericInput kXc{&R::Xc, "Text5", "请输入右側已知点 C 纵座标 Xc :", "输入右側已知点 C 正确的纵座标 Xc :",
                           kConfirm1, kConfirm1, CoordinateEchoText};
constexpr NumericInput kYc{&R::Yc, "Text6", "请输入右侧已知点 C 横座标 Yc :", "输入右側已知点 C 正确的横座标 Yc :",
                           kConfirm1, kConfirm1, CoordinateEchoText, false};
constexpr NumericInput kS1{&R::S1, "Text7", "请输入第一条观测边长 S1 :", "输入第一条观测边长 S1 正确的数值 :",
                           kConfirm3, kConfirm3, DistanceEchoText, true, &R::S1obs};
constexpr NumericInput kS2{&R::S2, "Text8", "请输入第二条观测边长 S2 :", "输入第二条观测边长 S2 正确的数值 :",
                           kConfirm1, kConfirm3, DistanceEchoText, true, &R::S2obs};
constexpr NumericInput kS3{&R::S3, "Text9", "请输入第三条观测边长 S3 :", "输入第三条观测边长 S3 正确的数值 :",
                           kConfirm3, kConfirm3, DistanceEchoText, true, &R::S3obs};

// The entry's dialogue with the user. Each step answers false when the user
// cancelled a value prompt; the calculation then ends where it stands.
class Entry {
public:
    Entry(SurveyRecord& record, Fields& fields, PromptDialog& prompt, CalculationTrace& trace)
        : record_(record), fields_(fields), prompt_(prompt), trace_(trace) {}

    bool Number(const NumericInput& in)
    {
        double& value = record_.*in.value;
        trace_.Entering(in.box);
        if (!AskValue(in.prompt, value))
            return false;
        trace_.Stored(in.box);
        fields_.SetText(in.box, in.echo(value));
        for (const char* confirmation = in.firstConfirmation; WantsReentry(confirmation);
             confirmation = in.laterConfirmation) {
            fields_.SetText(in.box, "");
            if (!AskValue(in.reentryPrompt, value))
                return false;
            if (in.echoAfterReentry)
                fields_.SetText(in.box, in.echo(value));
        }
        fields_.SetText(in.box, in.echo(value));
        if (in.observed)
            record_.*in.observed = static_cast<float>(value);
        return true;
    }

    bool PointName()
    {
        trace_.Entering("Text11");
        const auto name = prompt_.Ask(kPointNamePrompt);
        if (!name)
            return false;
        record_.PointName = *name;
        trace_.Stored("Text11");
        fields_.SetText("Text11", PointNameEchoText(*name));
        return true;
    }

private:
    // Stores the number typed at `message`; a line that is not a number is
    // asked for again.
    bool AskValue(const char* message, double& value)
    {
        for (;;) {
            const auto line = prompt_.Ask(message);
            if (!line)
                return false;
            if (const auto number = ReadNumber(*line)) {
                value = *number;
                return true;
            }
            prompt_.Warn(kNeedNumber);
        }
    }

    // Empty (Enter, OK or Cancel) or a number other than zero accepts; a zero
    // asks for the value again; anything else asks the same question again.
    bool WantsReentry(const char* confirmation)
    {
        for (;;) {
            const auto answer = prompt_.Ask(confirmation);
            if (!answer || answer->empty())
                return false;
            if (const auto number = ReadNumber(*answer))
                return *number == 0.0;
        }
    }

    SurveyRecord& record_;
    Fields& fields_;
    PromptDialog& prompt_;
    CalculationTrace& trace_;
};

std::string FailureText(const CalculationFailure& failure)
{
    return std::string("计算未能完成。\n步骤：") + StepText(failure.step()) + "\n" + failure.message();
}

}  // namespace

void Command1_Click(SurveyRecord& record, Fields& fields, PromptDialog& prompt)
{
    CalculationTrace untold;
    Command1_Click(record, fields, prompt, untold);
}

void Command1_Click(SurveyRecord& record, Fields& windowFields, PromptDialog& prompt, CalculationTrace& trace)
{
    const Constants k = SetUpConstants();
    trace.Begin();
    TracedFields fields(windowFields, trace);
    fields.SetText("Text26", kOrderNote);

    Entry entry(record, fields, prompt, trace);
    const bool entered = entry.Number(kXa) && entry.Number(kYa) && entry.Number(kXb) && entry.Number(kYb)
                         && entry.Number(kXc) && entry.Number(kYc) && entry.PointName()
                         && entry.Number(kS1) && entry.Number(kS2) && entry.Number(kS3);
    if (!entered) {
        trace.Cancelled();  // what is stored and shown stays as it is, marked
        return;
    }

    BoxTextSink sink([&fields](const char* box, const std::string& text) { fields.SetText(box, text); });
    if (const auto failure = TryCalculate(record, k, sink)) {
        trace.Stopped(*failure);
        prompt.Warn(FailureText(*failure));  // the fields keep what they hold, marked
    } else {
        trace.Complete();
    }
}

}  // namespace corvanet
