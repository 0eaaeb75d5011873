#include "sketch/sketch_svg.h"

#include <QFile>
#include <QPainter>
#include <QSvgGenerator>

#include "ui/font_substitution.h"

namespace corvanet {

bool WriteSketchSvg(const SketchScene& scene, const QString& path, std::string* error)
{
    const auto fail = [&](const QString& why) {
        if (error) *error = why.toStdString();
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return fail(file.errorString());
    const QSize size(800, 600);
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Corvanet 图形"));
    InstallFontSubstitutions();  // the faces the sketch names, with or without a window
    QPainter painter;
    if (!painter.begin(&svg)) return fail(QStringLiteral("无法开始绘制 SVG。"));
    PaintSketch(painter, QRectF(QPointF(0, 0), size), scene);
    painter.end();
    file.close();
    if (file.error() != QFileDevice::NoError) return fail(file.errorString());
    return true;
}

}  // namespace corvanet
