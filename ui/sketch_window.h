#pragma once
// The sketch of the last calculation in a window of its own, beside the main
// window (not modal). It draws whatever the memory holds when it paints, so
// a redraw after each calculation is all it needs.
#include <QWidget>

#include "sketch/sketch.h"
#include "ui/calculation_memory.h"

namespace corvanet {

// The scene of the last calculation: nothing before the first, and the note
// when a later one was cancelled.
SketchScene SceneOf(const LastCalculation& last);

class SketchWindow final : public QWidget {
public:
    SketchWindow(const LastCalculation& last, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const LastCalculation& last_;
};

}  // namespace corvanet
