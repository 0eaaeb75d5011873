#pragma once
// Reads back what the sketch wrote into an SVG file: texts, lines, paths,
// rectangles and ellipses, each in the drawing's coordinates (the group's
// transform applied). A text's box is measured with the font the file names.
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRegularExpression>
#include <QTransform>
#include <QXmlStreamReader>
#include <algorithm>
#include <vector>

#include <ostream>

// QStrings in test messages as their text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvanet::testing {

struct SvgRun {
    QString text;  // as written, blanks kept
    QRectF box;    // its advance wide, the font's ascent to descent high
};

struct SvgText {
    QString text;  // runs of one baseline in one group joined
    QPointF at;
    QString fill;
    std::vector<SvgRun> runs;
    QRectF box;  // of all its runs
};

struct SvgShape {
    QString stroke;
    std::vector<QPointF> points;  // polylines and paths
    QTransform transform;         // ellipses: their group's transform
    QPointF centre;               // ellipses and circles, transformed
    double rx = 0, ry = 0;
    QRectF bounds() const
    {
        if (points.empty()) return {};
        QPointF low = points[0], high = points[0];
        for (const QPointF& p : points)
            low = {std::min(low.x(), p.x()), std::min(low.y(), p.y())}, high = {std::max(high.x(), p.x()), std::max(high.y(), p.y())};
        return QRectF(low, high);
    }
};

struct SvgDrawing {
    std::vector<SvgText> texts;
    std::vector<SvgShape> polylines, paths, ellipses, circles, rects;

    // Texts whose whole text matches `pattern`.
    std::vector<SvgText> TextsMatching(const QString& pattern) const
    {
        std::vector<SvgText> found;
        const QRegularExpression re(QStringLiteral("^") + pattern + QStringLiteral("$"));
        for (const SvgText& t : texts)
            if (re.match(t.text).hasMatch()) found.push_back(t);
        return found;
    }
};

inline QTransform ParseTransform(const QString& attribute)
{
    const QRegularExpression matrix(QStringLiteral(R"(matrix\(([^,]+),([^,]+),([^,]+),([^,]+),([^,]+),([^)]+)\))"));
    const auto m = matrix.match(attribute);
    if (!m.hasMatch()) return {};
    return QTransform(m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                      m.captured(4).toDouble(), m.captured(5).toDouble(), m.captured(6).toDouble());
}

inline std::vector<QPointF> ParsePoints(const QString& text, const QTransform& t)
{
    std::vector<QPointF> points;
    const QRegularExpression pair(QStringLiteral(R"((-?[\d.e+-]+),(-?[\d.e+-]+))"));
    for (auto it = pair.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        points.push_back(t.map(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble())));
    }
    return points;
}

inline SvgDrawing ReadSvg(const QString& path)
{
    SvgDrawing d;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return d;
    QXmlStreamReader xml(&file);
    struct Group {
        QTransform transform;
        QString stroke;
        int firstText;
    };
    std::vector<Group> groups{{QTransform(), QString(), 0}};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("g")) {
            groups.pop_back();
            continue;
        }
        if (!xml.isStartElement()) continue;
        const auto a = xml.attributes();
        const Group& g = groups.back();
        const QString name = xml.name().toString();
        if (name == QLatin1String("g")) {
            const QString stroke = a.hasAttribute(QStringLiteral("stroke")) ? a.value(QStringLiteral("stroke")).toString() : g.stroke;
            groups.push_back({ParseTransform(a.value(QStringLiteral("transform")).toString()), stroke,
                              static_cast<int>(d.texts.size())});
        } else if (name == QLatin1String("text")) {
            const QPointF at = g.transform.map(QPointF(a.value(QStringLiteral("x")).toDouble(), a.value(QStringLiteral("y")).toDouble()));
            const QString fill = a.value(QStringLiteral("fill")).toString();
            QFont font;
            font.setFamilies({a.value(QStringLiteral("font-family")).toString()});
            font.setPixelSize(a.value(QStringLiteral("font-size")).toInt());
            font.setWeight(QFont::Weight(a.value(QStringLiteral("font-weight")).toInt()));
            const QFontMetricsF fm(font);
            const QString text = xml.readElementText();
            const SvgRun run{text, QRectF(at.x(), at.y() - fm.ascent(), fm.horizontalAdvance(text), fm.ascent() + fm.descent())};
            if (static_cast<int>(d.texts.size()) > g.firstText && std::abs(d.texts.back().at.y() - at.y()) < 0.01) {
                d.texts.back().text += text;
                d.texts.back().runs.push_back(run);
                d.texts.back().box |= run.box;
            } else {
                d.texts.push_back({text, at, fill, {run}, run.box});
            }
        } else if (name == QLatin1String("polyline")) {
            d.polylines.push_back({g.stroke, ParsePoints(a.value(QStringLiteral("points")).toString(), g.transform), {}, {}});
        } else if (name == QLatin1String("path")) {
            d.paths.push_back({g.stroke, ParsePoints(a.value(QStringLiteral("d")).toString(), g.transform), {}, {}});
        } else if (name == QLatin1String("rect")) {
            const QRectF r(a.value(QStringLiteral("x")).toDouble(), a.value(QStringLiteral("y")).toDouble(),
                           a.value(QStringLiteral("width")).toDouble(), a.value(QStringLiteral("height")).toDouble());
            d.rects.push_back({g.stroke, {g.transform.map(r.topLeft()), g.transform.map(r.bottomRight())}, {}, {}});
        } else if (name == QLatin1String("ellipse") || name == QLatin1String("circle")) {
            SvgShape s{g.stroke, {}, g.transform, {}};
            s.centre = g.transform.map(QPointF(a.value(QStringLiteral("cx")).toDouble(), a.value(QStringLiteral("cy")).toDouble()));
            const bool circle = name == QLatin1String("circle");
            s.rx = a.value(circle ? QStringLiteral("r") : QStringLiteral("rx")).toDouble();
            s.ry = a.value(circle ? QStringLiteral("r") : QStringLiteral("ry")).toDouble();
            (circle ? d.circles : d.ellipses).push_back(s);
        }
    }
    for (SvgText& t : d.texts) t.text = t.text.trimmed();
    return d;
}

}  // namespace corvanet::testing
