#include "print_command.h"

#include <QMessageBox>

namespace corvanet {

void RunPrintCommand(const SurveyRecord&, QWidget* parent)
{
    QMessageBox::information(parent, QStringLiteral("Corvanet"), QStringLiteral("打印功能正在完善中。"));
}

}  // namespace corvanet
