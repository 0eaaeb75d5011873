#include "sketch/sketch_svg.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>

#include "fonts/font_substitution.h"
#include "report/whole_file.h"

namespace corvanet {

bool SketchSvgBytes(const SketchScene& scene, std::string* svg, std::string* error)
{
    // In memory first, so that the file is written and checked in one go.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size(800, 600);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(96);
    generator.setTitle(QStringLiteral("Corvanet 图形"));
    InstallFontSubstitutions();  // the faces the sketch names, with or without a window
    QPainter painter;
    if (!painter.begin(&generator)) {
        if (error) *error = "无法开始绘制 SVG。";
        return false;
    }
    PaintSketch(painter, QRectF(QPointF(0, 0), size), scene);
    painter.end();
    svg->assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

bool WriteSketchSvg(const SketchScene& scene, const std::string& path, std::string* error)
{
    std::string svg;
    return SketchSvgBytes(scene, &svg, error) && WriteWholeFile(path, svg, error);
}

bool WriteSketchSvg(const SketchScene& scene, const QString& path, std::string* error)
{
    return WriteSketchSvg(scene, QFile::encodeName(path).toStdString(), error);
}

}  // namespace corvanet
