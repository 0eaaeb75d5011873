#include "ui/sketch_window.h"

#include <QPainter>

#include "ui/main_window.h"

namespace corvanet {

SketchScene SceneOf(const CalculationMemory& memory, const CalculationTrace& trace, const MeterPrecision& meter)
{
    SketchScene scene;
    if (!memory.last) return scene;
    scene.outcome = &*memory.last;
    scene.staleNote = trace.EarlierResultsNote();
    scene.test = TestMisclosure(*memory.last, meter);
    return scene;
}

SketchWindow::SketchWindow(const MainWindow& window, QWidget* parent) : QWidget(parent, Qt::Window), window_(window)
{
    setObjectName(QStringLiteral("SketchWindow"));
    setWindowTitle(QStringLiteral("图形 — Corvanet"));
    setMinimumSize(480, 360);
    resize(800, 600);
}

void SketchWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintSketch(painter, QRectF(rect()), SceneOf(window_.memory(), window_.trace(), window_.meter()));
}

}  // namespace corvanet
