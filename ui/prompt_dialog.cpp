#include "ui/prompt_dialog.h"

#include <QCompleter>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "ui/prompt_recall.h"

namespace corvanet {

std::optional<std::string> QtPromptDialog::Ask(const std::string& message) { return AskLine(message, {}); }

std::optional<std::string> QtPromptDialog::AskRecalling(const std::string& message, const std::string& recall)
{
    return AskLine(message, {recall, {}, {}});
}

std::optional<std::string> QtPromptDialog::AskNoted(const std::string& message, const std::string& note)
{
    // The question's own text stays as it is; the note is a line above it.
    return AskLine(note.empty() ? message : note + "\n" + message, {});
}

std::optional<std::string> QtPromptDialog::AskLine(const std::string& message, const PromptLine& line)
{
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(QGuiApplication::applicationDisplayName());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(QString::fromStdString(message));
    if (auto* label = dialog.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(QString::fromStdString(line.prefill));
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        if (!line.recall.empty()) RecallOnUp(edit, QString::fromStdString(line.recall));
        if (!line.prefill.empty()) edit->selectAll();
        if (!line.completions.empty()) {
            QStringList names;
            names.reserve(static_cast<qsizetype>(line.completions.size()));
            for (const std::string& name : line.completions) names << QString::fromStdString(name);
            auto* completer = new QCompleter(names, edit);
            completer->setCaseSensitivity(Qt::CaseInsensitive);
            completer->setFilterMode(Qt::MatchStartsWith);
            edit->setCompleter(completer);
        }
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

void QtPromptDialog::Warn(const std::string& message)
{
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                    QString::fromStdString(message), QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);  // the failure may quote what the user typed
    box.exec();
}

}  // namespace corvanet
