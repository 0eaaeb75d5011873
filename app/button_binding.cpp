#include "app/button_binding.h"

#include <QCoreApplication>
#include <QPushButton>

#include "app/window_menu.h"
#include "ui/calculate_command.h"
#include "ui/main_window.h"
#include "report/print_command.h"

namespace corvanet {

void BindButtons(MainWindow& window)
{
    QObject::connect(window.button(QStringLiteral("Command1")), &QPushButton::clicked, &window,
                     [&window] { Command1_Click(window.record(), window, window.prompt(), window.trace(), window.memory()); });
    QObject::connect(window.button(QStringLiteral("Command2")), &QPushButton::clicked, &window, [&window] {
        window.close();
        QCoreApplication::quit();
    });
    QObject::connect(window.button(QStringLiteral("Command3")), &QPushButton::clicked, &window,
                     [&window] { RunPrintCommand(window.record(), window.trace(), window.misclosureTest(), &window); });
    InstallWindowMenu(window);
}

}  // namespace corvanet
