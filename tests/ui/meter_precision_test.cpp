// The meter's precision as the user keeps and changes it: the settings file
// and the dialog's guard against a meter that is no meter.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include "ui/meter_precision_dialog.h"

namespace corvanet {
namespace {

TEST(MeterPrecisionSetting, KeptAcrossRestartsDefaultWhenMissingOrDamaged)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("corvanet.conf"));
    {
        QSettings settings(path, QSettings::IniFormat);
        EXPECT_EQ(LoadMeterPrecision(settings).a, 2.0) << "the default before anything is kept";
        EXPECT_EQ(LoadMeterPrecision(settings).b, 2.0);
        SaveMeterPrecision(settings, {1.0, 1.5});
    }
    {
        QSettings settings(path, QSettings::IniFormat);  // as after a restart
        const MeterPrecision kept = LoadMeterPrecision(settings);
        EXPECT_EQ(kept.a, 1.0);
        EXPECT_EQ(kept.b, 1.5);
        for (const auto& [a, b] : {std::pair{"abc", "2"}, {"0", "0"}, {"-1", "2"}, {"2", "1e9"}, {"nan", "1"}}) {
            settings.setValue(QStringLiteral("meter/a_mm"), QString::fromLatin1(a));
            settings.setValue(QStringLiteral("meter/b_ppm"), QString::fromLatin1(b));
            const MeterPrecision fallback = LoadMeterPrecision(settings);
            EXPECT_EQ(fallback.a, 2.0) << a << "," << b;
            EXPECT_EQ(fallback.b, 2.0) << a << "," << b;
        }
    }
}

TEST(MeterPrecisionSetting, DialogRefusesBothZero)
{
    MeterPrecisionDialog dialog({2.0, 2.0});
    auto* a = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("MeterA"));
    auto* b = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("MeterB"));
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ASSERT_TRUE(a && b && ok);
    EXPECT_TRUE(ok->isEnabled());
    a->setValue(0.0);
    EXPECT_TRUE(ok->isEnabled()) << "a zero with b not zero is a meter";
    b->setValue(0.0);
    EXPECT_FALSE(ok->isEnabled());
    b->setValue(1.5);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.meter().a, 0.0);
    EXPECT_EQ(dialog.meter().b, 1.5);
    a->setValue(5000.0);
    EXPECT_EQ(dialog.meter().a, 1000.0) << "held within its bound";
}

}  // namespace
}  // namespace corvanet
