#pragma once
// A prompt dialog that answers from a script and remembers what it was asked,
// with every field of the window as it stood at that moment.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/prompt_dialog.h"

namespace corvanet::testing {

using Answer = std::optional<std::string>;
inline const Answer kCancel = std::nullopt;

// The window's single-line fields.
inline std::vector<std::string> FieldNames()
{
    std::vector<std::string> names;
    for (int i = 1; i <= 26; ++i)
        if (i != 10)
            names.push_back("Text" + std::to_string(i));
    return names;
}

struct Asked {
    std::string message;
    std::map<std::string, std::string> fields;
};

class ScriptedPrompt final : public PromptDialog {
public:
    ScriptedPrompt(const MainWindow& window, std::vector<Answer> script) : window_(window), script_(std::move(script)) {}

    std::optional<std::string> Ask(const std::string& message) override
    {
        Asked a{message, {}};
        for (const std::string& name : FieldNames())
            a.fields[name] = window_.fieldText(QString::fromStdString(name)).toStdString();
        asked.push_back(std::move(a));
        dialogue.push_back("? " + message);
        if (next_ >= script_.size()) {
            ADD_FAILURE() << "asked beyond the script: " << message;
            return std::nullopt;
        }
        return script_[next_++];
    }

    // As the real dialog: the line starts with the prefill, which an answer
    // of kTakePrefill (Enter on it) takes.
    std::optional<std::string> AskLine(const std::string& message, const PromptLine& line) override
    {
        lines.push_back(line);
        auto answer = Ask(message);
        if (answer && *answer == kTakePrefill) return line.prefill;
        return answer;
    }

    std::optional<std::string> AskNoted(const std::string& message, const std::string& note) override
    {
        notes.push_back(note);
        return Ask(message);
    }

    void Warn(const std::string& message) override
    {
        warnings.push_back(message);
        dialogue.push_back("! " + message);
    }

    bool Finished() const { return next_ == script_.size(); }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> m;
        for (const Asked& a : asked)
            m.push_back(a.message);
        return m;
    }

    // Enter on a line that starts filled in.
    static inline const std::string kTakePrefill = "\x01prefill";

    std::vector<Asked> asked;
    std::vector<PromptLine> lines;   // of every value prompt, in order
    std::vector<std::string> notes;  // of the confirmations that had one
    std::vector<std::string> warnings;
    std::vector<std::string> dialogue;  // "? prompt" and "! warning" in the order they came

private:
    const MainWindow& window_;
    std::vector<Answer> script_;
    std::size_t next_ = 0;
};

// Calculate pressed on `window` with `prompt` answering, as the button does.
inline CalculationEnding PressCalculate(MainWindow& window, PromptDialog& prompt)
{
    return Command1_Click(window.record(), window, prompt, window.trace(), window.memory());
}

// The system's own texts, as the users read them.
namespace text {
inline const std::string kXa = "请输入左側已知点 A 纵座标 Xa :";
inline const std::string kYa = "请输入左側已知点 A 横座标 Ya :";
inline const std::string kXb = "请输入中间已知点 B 纵座标 Xb :";
inline const std::string kYb = "请输入中间已知点 B 横座标 Yb:";
inline const std::string kXc = "请输入右側已知点 C 纵座标 Xc :";
inline const std::string kYc = "请输入右侧已知点 C 横座标 Yc :";
inline const std::string kName = "请输入待定点 P 的点名 :";
inline const std::string kS1 = "请输入第一条观测边长 S1 :";
inline const std::string kS2 = "请输入第二条观测边长 S2 :";
inline const std::string kS3 = "请输入第三条观测边长 S3 :";
inline const std::string kXaAgain = "输入左側已知点 A 正确的纵座标 Xa :";
inline const std::string kYaAgain = "输入左側已知点 A 正确的横座标 Ya :";
inline const std::string kXbAgain = "输入中间已知点 B 正确的纵座标 Xb :";
inline const std::string kYbAgain = "输入中间已知点 B 正确的横座标 Yb :";
inline const std::string kXcAgain = "输入右側已知点 C 正确的纵座标 Xc :";
inline const std::string kYcAgain = "输入右側已知点 C 正确的横座标 Yc :";
inline const std::string kS1Again = "输入第一条观测边长 S1 正确的数值 :";
inline const std::string kS2Again = "输入第二条观测边长 S2 正确的数值 :";
inline const std::string kS3Again = "输入第三条观测边长 S3 正确的数值 :";
inline const std::string kConfirm1 = "确认输入是否正确入 ? 输入正确单击 Enter 键 );输入错误输入( 即为:0)";
inline const std::string kConfirm2 = "确认输入是否正确入 ? 输入正确按输入键( 即为:Enter键 );输入错误按零( 即为:0) ";
inline const std::string kConfirm3 = "确认输入是否正确 ? 输入正确单击 Enter 键 );输入错误输入( 即为:0)";
inline const std::string kNote = "A,B,C点的次序按自左向右顺序排列";
inline const std::string kNeedNumber = "请输入一个数值。";
inline const std::string kTooLarge = "这个数值超出范围（绝对值太大），请输入一个数值。";
inline const std::string kTooSmall = "这个数值超出范围（不为零，但绝对值太小，会成为零），请输入一个数值。";
}  // namespace text

// The worked figure typed in with every value accepted at once.
inline std::vector<Answer> WorkedEntry()
{
    return {"2500", "", "2600", "", "3000", "", "3000", "", "2450", "", "3550", "",
            "P1",   "509.905", "", "412.308", "", "474.345", ""};
}

// The worked figure's results as the window shows them.
inline const std::map<std::string, std::string> kWorkedResults = {
    {"Text18", "-2.76秒"},  {"Text19", "3.32毫米"}, {"Text12", "2600.004"}, {"Text13", "3100.000"},
    {"Text14", "2600.004"}, {"Text15", "3100.000"}, {"Text16", "2600.004"}, {"Text17", "3100.000"},
    {"Text20", "0.9820"},   {"Text21", "0.5521"},   {"Text22", "3.29毫米"}, {"Text23", "2.47毫米"},
    {"Text24", "4.12毫米"}, {"Text25", "1/100162"},
};

}  // namespace corvanet::testing
