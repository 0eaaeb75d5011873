// The sketch is laid out with real fonts: a GUI application, offscreen.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "ui/font_substitution.h"

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    corvanet::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
