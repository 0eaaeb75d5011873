// The one main of the test programs that need a QApplication: GoogleTest
// under the application as the program names it, offscreen unless a
// platform is chosen (also when CTest lists the tests at build time).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // GoogleTest takes its flags first; QApplication keeps argc and argv.
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvanet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvanet"));
    return RUN_ALL_TESTS();
}
