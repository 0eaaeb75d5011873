#pragma once
// The sketch of the last calculation in a window of its own, beside the main
// window (not modal). It draws whatever the memory and the trace hold when it
// paints, so a redraw after each calculation is all it needs.
#include <QWidget>

#include "sketch/sketch.h"
#include "text/calculation_trace.h"
#include "ui/calculation_memory.h"

namespace corvanet {

class MainWindow;

// The last calculation's results as the sketch and the copy show them:
// nothing before the first that stopped or completed, the trace's note when a
// later one was cancelled, and the misclosure tested against `meter`.
SketchScene SceneOf(const CalculationMemory& memory, const CalculationTrace& trace, const MeterPrecision& meter);

class SketchWindow final : public QWidget {
public:
    SketchWindow(const MainWindow& window, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const MainWindow& window_;
};

}  // namespace corvanet
