// The window as `corvanet` opens it: every face it names is one fontconfig
// has (no substitution stands in for a missing one), Qt's own texts are in
// Chinese, and what it keeps goes into the test's home, not the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSettings>
#include <QTranslator>
#include <QWidget>

#include "app/start_up.h"
#include "ui/main_window.h"
#include "ui/meter_precision_dialog.h"

namespace corvanet {
namespace {

TEST(StartUp, EveryFaceTheWindowNamesIsInstalledAndDrawsItself)
{
    QTranslator qtTexts;
    const std::unique_ptr<MainWindow> window = OpenMainWindow(qtTexts);
    const QStringList installed = QFontDatabase::families();
    int checked = 0;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        const QFont font = w->font();
        if (font == QApplication::font()) continue;  // the platform's own, as the prompts use it
        const QStringList named = font.families().isEmpty() ? QStringList{font.family()} : font.families();
        for (const QString& family : named)
            EXPECT_TRUE(installed.contains(family)) << w->objectName().toStdString() << ": " << family.toStdString();
        EXPECT_EQ(QFontInfo(font).family(), named.first()) << w->objectName().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 70) << "the captions, fields and buttons all carry the design's faces";
}

TEST(StartUp, QtsOwnButtonsSpeakChinese)
{
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
}

TEST(StartUp, SettingsGoIntoTheTestsOwnHome)
{
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_TRUE(home.contains(QStringLiteral("corvanet-test-home-"))) << home.toStdString();
    EXPECT_TRUE(UserSettings().fileName().startsWith(home + QLatin1Char('/'))) << UserSettings().fileName().toStdString();
}

}  // namespace
}  // namespace corvanet
