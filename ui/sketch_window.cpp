#include "ui/sketch_window.h"

#include <QPainter>

namespace corvanet {

SketchScene SceneOf(const LastCalculation& last)
{
    SketchScene scene;
    if (last.outcome) scene.outcome = &*last.outcome;
    scene.staleNote = last.StaleNote();
    return scene;
}

SketchWindow::SketchWindow(const LastCalculation& last, QWidget* parent) : QWidget(parent, Qt::Window), last_(last)
{
    setObjectName(QStringLiteral("SketchWindow"));
    setWindowTitle(QStringLiteral("图形 — Corvanet"));
    setMinimumSize(480, 360);
    resize(800, 600);
}

void SketchWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintSketch(painter, QRectF(rect()), SceneOf(last_));
}

}  // namespace corvanet
