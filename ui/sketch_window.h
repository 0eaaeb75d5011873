#pragma once
// The sketch of the last calculation in a window of its own, beside the main
// window (not modal). It draws whatever the memory and the trace hold when it
// paints, so a redraw after each calculation is all it needs.
#include <QWidget>

#include "sketch/sketch.h"
#include "text/calculation_trace.h"
#include "ui/calculation_memory.h"

namespace corvanet {

// The last calculation's results as the sketch and the copy show them:
// nothing before the first that stopped or completed, and the trace's note
// when a later one was cancelled.
SketchScene SceneOf(const CalculationMemory& memory, const CalculationTrace& trace);

class SketchWindow final : public QWidget {
public:
    SketchWindow(const CalculationMemory& memory, const CalculationTrace& trace, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CalculationMemory& memory_;
    const CalculationTrace& trace_;
};

}  // namespace corvanet
