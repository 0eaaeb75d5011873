#pragma once
// The distance meter's stated precision ±(a mm + b ppm·D): kept in the
// user's settings, changed in a small dialog.
#include <QDialog>

#include "engine/tolerance.h"

class QDoubleSpinBox;
class QDialogButtonBox;
class QLabel;
class QSettings;

namespace corvanet {

// The settings the program keeps in the platform's usual place.
QSettings& UserSettings();

// The meter kept in `settings`; the default (2 mm + 2 ppm) where none is
// kept or what is kept is not a usable meter.
MeterPrecision LoadMeterPrecision(QSettings& settings);
void SaveMeterPrecision(QSettings& settings, const MeterPrecision& meter);

class MeterPrecisionDialog final : public QDialog {
    Q_OBJECT
public:
    MeterPrecisionDialog(const MeterPrecision& meter, QWidget* parent = nullptr);
    MeterPrecision meter() const;

private:
    void Check();

    QDoubleSpinBox* a_;
    QDoubleSpinBox* b_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
};

}  // namespace corvanet
