#include "ui/prompt_recall.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace corvanet {
namespace {

class UpFilter final : public QObject {
public:
    UpFilter(QLineEdit* edit, const QString& line) : QObject(edit), edit_(edit), line_(line) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Up) {
            edit_->setText(line_);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit* edit_;
    QString line_;
};

}  // namespace

void RecallOnUp(QLineEdit* edit, const QString& line) { edit->installEventFilter(new UpFilter(edit, line)); }

}  // namespace corvanet
