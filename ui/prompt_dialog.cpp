#include "ui/prompt_dialog.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "ui/prompt_recall.h"

namespace corvanet {

std::optional<std::string> QtPromptDialog::Ask(const std::string& message) { return AskRecalling(message, {}); }

std::optional<std::string> QtPromptDialog::AskRecalling(const std::string& message, const std::string& recall)
{
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(QGuiApplication::applicationDisplayName());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(QString::fromStdString(message));
    if (auto* label = dialog.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(QString());
    if (auto* edit = dialog.findChild<QLineEdit*>(); edit && !recall.empty())
        RecallOnUp(edit, QString::fromStdString(recall));
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
