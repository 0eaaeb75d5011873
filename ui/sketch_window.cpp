#include "ui/sketch_window.h"

#include <QPainter>

namespace corvanet {

SketchScene SceneOf(const CalculationMemory& memory, const CalculationTrace& trace)
{
    SketchScene scene;
    if (!memory.last) return scene;
    scene.outcome = &*memory.last;
    scene.staleNote = trace.EarlierResultsNote();
    return scene;
}

SketchWindow::SketchWindow(const CalculationMemory& memory, const CalculationTrace& trace, QWidget* parent)
    : QWidget(parent, Qt::Window), memory_(memory), trace_(trace)
{
    setObjectName(QStringLiteral("SketchWindow"));
    setWindowTitle(QStringLiteral("图形 — Corvanet"));
    setMinimumSize(480, 360);
    resize(800, 600);
}

void SketchWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintSketch(painter, QRectF(rect()), SceneOf(memory_, trace_));
}

}  // namespace corvanet
