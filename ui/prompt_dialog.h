#pragma once
// The modal dialogs of the Calculate command behind one small interface, so
// the entry can be driven by a script in the tests.
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace corvanet {

// What an input's prompt offers besides its message.
struct PromptLine {
    std::string recall;                    // brought back by the Up arrow
    std::string prefill;                   // the edit line starts with it, selected
    std::vector<std::string> completions;  // offered as the line is typed
};

class PromptDialog {
public:
    virtual ~PromptDialog() = default;
    // Shows `message` over an empty edit line with OK and Cancel. The line as
    // typed (possibly empty) for OK or Enter; nullopt for Cancel.
    virtual std::optional<std::string> Ask(const std::string& message) = 0;
    // The same; the edit line still starts empty, and the Up arrow fills in
    // `recall` (the line this prompt accepted in the previous calculation).
    virtual std::optional<std::string> AskRecalling(const std::string& message, const std::string& recall)
    {
        (void)recall;
        return Ask(message);
    }
    // The same, with what an input's prompt may offer besides: the edit line
    // may start with `line.prefill`, selected, so that Enter takes it, and
    // offer `line.completions` as the line is typed.
    virtual std::optional<std::string> AskLine(const std::string& message, const PromptLine& line)
    {
        return AskRecalling(message, line.recall);
    }
    // A question with a note above it, such as the known point a value came
    // from.
    virtual std::optional<std::string> AskNoted(const std::string& message, const std::string& note)
    {
        (void)note;
        return Ask(message);
    }
    // A notice the user acknowledges, shown as plain text.
    virtual void Warn(const std::string& message) = 0;
};

// QInputDialog and QMessageBox over `parent`, titled with the application's
// name only.
class QtPromptDialog final : public PromptDialog {
public:
    explicit QtPromptDialog(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> Ask(const std::string& message) override;
    std::optional<std::string> AskRecalling(const std::string& message, const std::string& recall) override;
    std::optional<std::string> AskLine(const std::string& message, const PromptLine& line) override;
    std::optional<std::string> AskNoted(const std::string& message, const std::string& note) override;
    void Warn(const std::string& message) override;

private:
    QWidget* parent_;
};

}  // namespace corvanet
