#pragma once
// The one window: the diagram, the echo and result fields, the note and the
// three buttons, built from the layout tables. It owns the survey record.
#include <QHash>
#include <QString>
#include <QWidget>
#include <memory>

#include "ui/calculate_command.h"
#include "ui/calculation_memory.h"
#include "ui/prompt_dialog.h"
#include "engine/survey_record.h"
#include "engine/tolerance.h"
#include "text/calculation_trace.h"

class QLineEdit;
class QPushButton;

namespace corvanet {

class MainWindow final : public QWidget, public Fields {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    SurveyRecord& record() { return record_; }
    CalculationMemory& memory() { return memory_; }
    const CalculationMemory& memory() const { return memory_; }
    // How the last calculation ended, and which of the values shown belong
    // to the figure now entered.
    CalculationTrace& trace() { return trace_; }
    const CalculationTrace& trace() const { return trace_; }
    PromptDialog& prompt() { return *prompt_; }
    // Tests drive the entry with a scripted dialog; the window keeps its own.
    void UsePrompt(PromptDialog& prompt) { prompt_ = &prompt; }

    QPushButton* button(const QString& name) const;
    QString fieldText(const QString& name) const;
    void SetText(std::string_view name, const std::string& text) override;

    // The distance meter the misclosure is tested against. A new one applies
    // at once to the calculation on show: the test is derived, not stored.
    const MeterPrecision& meter() const { return shownMeter_ ? *shownMeter_ : meter_; }
    void SetMeter(const MeterPrecision& meter);
    // A calculation brought back from the job is tested against the meter it
    // was recorded with, until the next calculation ends or a new meter is set.
    void ShowWithMeter(const MeterPrecision& meter);
    // The test of the w on show: none while a calculation runs, when w is an
    // earlier calculation's, or when the calculation did not reach the
    // condition's coefficients.
    std::optional<MisclosureTest> misclosureTest() const;

signals:
    // After every Calculate, however it ended.
    void calculationEnded(const corvanet::CalculationEnding& ending);
    // The meter of the calculation on show changed: its test with it.
    void meterChanged();

private:
    void ShowMisclosureTest();

    SurveyRecord record_;
    CalculationMemory memory_;
    CalculationTrace trace_;
    std::unique_ptr<PromptDialog> ownPrompt_;
    PromptDialog* prompt_;
    QHash<QString, QLineEdit*> fields_;
    MeterPrecision meter_;
    std::optional<MeterPrecision> shownMeter_;
};

}  // namespace corvanet
