#pragma once
// The modal dialogs of the Calculate command behind one small interface, so
// the entry can be driven by a script in the tests.
#include <optional>
#include <string>

class QWidget;

namespace corvanet {

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
    void Warn(const std::string& message) override;

private:
    QWidget* parent_;
};

}  // namespace corvanet
