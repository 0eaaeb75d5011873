#include "ui/meter_precision_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "text/tolerance_text.h"

namespace corvanet {
namespace {

const QString kKeyA = QStringLiteral("meter/a_mm");
const QString kKeyB = QStringLiteral("meter/b_ppm");

QDoubleSpinBox* Box(QWidget* parent, const char* name, double max, const QString& suffix, double value)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setDecimals(2);
    box->setRange(0.0, max);
    box->setSingleStep(0.5);
    box->setSuffix(suffix);
    box->setValue(value);
    return box;
}

}  // namespace

QSettings& UserSettings()
{
    static QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Corvanet"),
                              QStringLiteral("Corvanet"));
    return settings;
}

MeterPrecision LoadMeterPrecision(QSettings& settings)
{
    bool okA = false, okB = false;
    const MeterPrecision kept{settings.value(kKeyA).toDouble(&okA), settings.value(kKeyB).toDouble(&okB)};
    // A hand-edited or damaged setting must not silently become a test.
    if (!okA || !okB || MeterPrecisionProblem(kept)) return MeterPrecision{};
    return kept;
}

void SaveMeterPrecision(QSettings& settings, const MeterPrecision& meter)
{
    settings.setValue(kKeyA, meter.a);
    settings.setValue(kKeyB, meter.b);
    settings.sync();
}

MeterPrecisionDialog::MeterPrecisionDialog(const MeterPrecision& meter, QWidget* parent)
    : QDialog(parent),
      a_(Box(this, "MeterA", kMaxMeterA, QStringLiteral(" mm"), meter.a)),
      b_(Box(this, "MeterB", kMaxMeterB, QStringLiteral(" ppm"), meter.b)),
      problem_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("MeterPrecisionDialog"));
    setWindowTitle(QStringLiteral("测距精度"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("固定误差 a："), a_);
    form->addRow(QStringLiteral("比例误差 b："), b_);
    auto* explanation =
        new QLabel(QStringLiteral("测距中误差 ±(a + b·D)，D 为边长。\n闭合差限差取其传播的中误差的 2 倍。"), this);
    problem_->setObjectName(QStringLiteral("MeterProblem"));
    problem_->setStyleSheet(QStringLiteral("color: #c00000"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(explanation);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(a_, &QDoubleSpinBox::valueChanged, this, &MeterPrecisionDialog::Check);
    connect(b_, &QDoubleSpinBox::valueChanged, this, &MeterPrecisionDialog::Check);
    Check();
}

MeterPrecision MeterPrecisionDialog::meter() const { return {a_->value(), b_->value()}; }

void MeterPrecisionDialog::Check()
{
    const auto problem = MeterPrecisionProblem(meter());
    problem_->setText(problem ? QString::fromStdString(*problem) + QStringLiteral("。") : QString());
    problem_->setVisible(problem.has_value());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!problem);
}

}  // namespace corvanet
