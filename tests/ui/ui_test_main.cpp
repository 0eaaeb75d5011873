// The window tests need a QApplication; without a display they run offscreen
// (also when CTest lists them at build time).
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/font_substitution.h"

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvanet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvanet"));
    corvanet::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
