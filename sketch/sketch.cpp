#include "sketch/sketch.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "fonts/font_substitution.h"
#include "text/escaped_text.h"
#include "text/extras_text.h"
#include "text/tolerance_text.h"
#include "text/result_columns.h"

namespace corvanet {
namespace {

const QColor kInk(0, 0, 0);
const QColor kRed(255, 0, 0);  // the legs of the fixed angle, as in the window's diagram
const QColor kEllipse(0, 80, 200);
const QColor kGrey(110, 110, 110);
const QColor kArcColour[3] = {QColor(0, 90, 220), QColor(0, 140, 60), QColor(170, 0, 170)};

// A point of the survey: X north, Y east, metres.
struct Grid {
    double X, Y;
};

bool Finite(Grid g) { return std::isfinite(g.X) && std::isfinite(g.Y); }

// The largest of 1, 2, 5 times a power of ten that is not above `v` (> 0).
double RoundDown125(double v)
{
    const double decade = std::pow(10.0, std::floor(std::log10(v)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * decade <= v) return step * decade;
    return decade;
}

QString Metres(double v) { return QString::fromStdString(TableNumber(v)); }

// One scale for X and Y, north up: the points given fill `frame`, centred.
class GridView {
public:
    GridView(const std::vector<Grid>& points, const QRectF& frame) : centre_(frame.center())
    {
        double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
        for (Grid g : points) {
            if (!Finite(g)) continue;
            minX = std::min(minX, g.X), maxX = std::max(maxX, g.X);
            minY = std::min(minY, g.Y), maxY = std::max(maxY, g.Y);
        }
        if (minX > maxX) minX = maxX = minY = maxY = 0.0;
        mid_ = {minX / 2 + maxX / 2, minY / 2 + maxY / 2};
        const double spanX = maxX - minX, spanY = maxY - minY;
        scale_ = std::min(spanY > 0 ? frame.width() / spanY : INFINITY, spanX > 0 ? frame.height() / spanX : INFINITY);
        if (!std::isfinite(scale_) || scale_ <= 0.0) scale_ = 1.0;  // one point only: any scale shows it
    }

    QPointF operator()(Grid g) const
    {
        return {centre_.x() + (g.Y - mid_.Y) * scale_, centre_.y() - (g.X - mid_.X) * scale_};
    }
    double scale() const { return scale_; }  // device units per metre

private:
    QPointF centre_;
    Grid mid_{};
    double scale_ = 1.0;
};

// Both crossings of the circles about a and b, where they cross.
void AddCrossings(Grid a, double ra, Grid b, double rb, std::vector<Grid>& out)
{
    const double d = std::hypot(b.X - a.X, b.Y - a.Y);
    if (!(d > 0.0) || !std::isfinite(d) || d > ra + rb || d < std::abs(ra - rb)) return;
    const double along = (d * d + ra * ra - rb * rb) / (2 * d);
    const double across = std::sqrt(std::max(0.0, ra * ra - along * along));
    const double ux = (b.X - a.X) / d, uy = (b.Y - a.Y) / d;
    out.push_back({a.X + along * ux - across * uy, a.Y + along * uy + across * ux});
    out.push_back({a.X + along * ux + across * uy, a.Y + along * uy - across * ux});
}

class SketchPainter {
public:
    SketchPainter(QPainter& p, const QRectF& area, const SketchScene& scene)
        : p_(p), area_(area), scene_(scene), fontPx_(std::clamp(area.height() / 38.0, 10.0, 16.0)),
          line_(fontPx_ * 1.5)
    {
    }

    void Paint()
    {
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing, true);
        p_.fillRect(area_, Qt::white);
        p_.setFont(Font(1.0));
        const CalculationOutcome* o = scene_.outcome;
        double top = area_.top() + line_ * 0.4;
        if (!o) {
            Text(QPointF(area_.left() + fontPx_, top + fontPx_),
                 QStringLiteral("尚未计算。按“计 算”输入已知点和观测边长后，这里按比例画出图形。"), kInk);
            p_.restore();
            return;
        }
        // Escaped as the command line shows it: a control character in the
        // name can neither reorder the title nor make the SVG file unreadable.
        const QString typed = QString::fromStdString(DrawingSafe(o->record.PointName));
        const QString name = typed.isEmpty() ? QStringLiteral("P") : typed;
        Title(top, name);
        top += line_;
        if (!scene_.staleNote.empty()) {
            Text(QPointF(area_.left() + fontPx_, top + fontPx_), QString::fromStdString(scene_.staleNote), kRed, true);
            top += line_;
        }
        const bool withP = o->PointComputed();
        // The table below: its heading, the ellipse and checks, and the two
        // rows of the misclosure test where there is one.
        tableRows_ = withP && scene_.test ? 8 : 6;
        const double bandLines = tableRows_ * 3.2 / 3 + 0.6;
        const QRectF band(area_.left(), area_.bottom() - bandLines * line_, area_.width(), bandLines * line_);
        const QRectF frame(area_.left(), top, area_.width(), band.top() - top);
        const double margin = 3.5 * fontPx_;
        const QRectF fit = frame.adjusted(margin, margin, -margin - 2 * fontPx_, -margin);

        const Grid A{o->entered.Xa, o->entered.Ya}, B{o->entered.Xb, o->entered.Yb}, C{o->entered.Xc, o->entered.Yc};
        const Grid P{o->record.xp1, o->record.yp1};
        std::vector<Grid> shown{A, B, C};
        if (withP) {
            shown.push_back(P);
        } else {
            AddCrossings(A, o->entered.S1, B, o->entered.S2, shown);
            AddCrossings(B, o->entered.S2, C, o->entered.S3, shown);
            AddCrossings(A, o->entered.S1, C, o->entered.S3, shown);
        }
        const GridView view(shown, fit);
        centre_ = view(Grid{(A.X + B.X + C.X) / 3, (A.Y + B.Y + C.Y) / 3});

        // What P's label must keep off: the other labels, the table, the
        // scale bar and the north arrow.
        const QPointF scaleBar(band.left() + 2 * fontPx_, band.top() + 2 * line_);
        const QPointF north(frame.right() - 2 * fontPx_, frame.top() + fontPx_);
        const QRectF right(band.left() + band.width() * 0.42, band.top() + 0.3 * line_, band.width() * 0.56,
                           band.height() - 0.6 * line_);
        const QRectF failureBox = withP ? QRectF(band.left() + fontPx_, band.top() + 3.4 * line_, band.width() * 0.4,
                                                 3.4 * line_)
                                        : right;
        std::vector<QRectF> taken{QRectF(area_.left(), area_.top(), area_.width(), frame.top() - area_.top()),
                                  ScaleBarBox(scaleBar, band.width() * 0.3), NorthArrowBox(north)};
        if (withP) taken.push_back(right);
        if (!o->Complete()) taken.push_back(failureBox);
        const Grid stations[3] = {A, B, C};
        QString knownNames[3];
        for (int i = 0; i < 3; ++i) knownNames[i] = KnownName(*o, i);
        for (int i = 0; i < 3; ++i) {
            taken.push_back(StationBox(view(stations[i])));
            taken.push_back(CentredBox(StationLabelAt(view(stations[i])), QString(QChar('A' + i)), 1.2));
            if (!knownNames[i].isEmpty())
                taken.push_back(CentredBox(KnownNameAt(view(stations[i])), knownNames[i], 0.95));
            if (withP) taken.push_back(SideNameBox(view(P), view(stations[i]), QStringLiteral("S%1").arg(i + 1)));
        }

        if (!withP) Arcs(view, frame, {A, B, C}, {o->entered.S1, o->entered.S2, o->entered.S3});
        Segment(view(B), view(A), QPen(kRed, 2.5));
        Segment(view(B), view(C), QPen(kRed, 2.5));
        if (withP) {
            const QPen side(kInk, 1.2);
            const Grid ends[3] = {A, B, C};
            for (int i = 0; i < 3; ++i) {
                Segment(view(P), view(ends[i]), side);
                SideName(view(P), view(ends[i]), QStringLiteral("S%1").arg(i + 1));
            }
            PointP(view, P, name, o->extras, taken);
        }
        Station(view(A), QStringLiteral("A"), knownNames[0]);
        Station(view(B), QStringLiteral("B"), knownNames[1]);
        Station(view(C), QStringLiteral("C"), knownNames[2]);
        NorthArrow(north);

        ScaleBar(scaleBar, band.width() * 0.3, view.scale());
        if (withP) Table(right, o->extras);
        if (!o->Complete()) Failure(failureBox, *o);
        p_.restore();
    }

private:
    QFont Font(double size) const
    {
        // The installed Song face by its own name, so an SVG names a real one
        // and the window's sketch needs no substitution table.
        QFont font;
        font.setFamilies(InstalledFamilies("宋体"));
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(fontPx_ * size))));
        return font;
    }

    void Text(QPointF baseline, const QString& text, const QColor& colour, bool bold = false, double size = 1.0)
    {
        QFont font = Font(size);
        font.setBold(bold);
        p_.setFont(font);
        p_.setPen(colour);
        p_.drawText(baseline, text);
    }

    // The title, with as much of the name as its line holds.
    void Title(double top, const QString& name)
    {
        QFont bold = Font(1.0);
        bold.setBold(true);
        const QFontMetricsF fm(bold);
        const QString title = QStringLiteral("待定点 %1 的图形（北向上，纵横同一比例尺）");
        const double room = area_.width() - 2 * fontPx_ - fm.horizontalAdvance(title.arg(QString()));
        Text(QPointF(area_.left() + fontPx_, top + fontPx_),
             title.arg(fm.elidedText(name, Qt::ElideRight, std::max(room, 4 * fontPx_))), kInk, true);
    }

    // Where Centred() puts `text`.
    QRectF CentredBox(QPointF at, const QString& text, double size) const
    {
        const QFontMetricsF fm(Font(size));
        const double width = fm.horizontalAdvance(text), height = fm.ascent() + fm.descent();
        return QRectF(at.x() - width / 2, at.y() - height / 2, width, height);
    }

    // Text centred on `at`.
    void Centred(QPointF at, const QString& text, const QColor& colour, double size = 1.0)
    {
        const QFontMetricsF fm(Font(size));
        Text(QPointF(at.x() - fm.horizontalAdvance(text) / 2, at.y() + (fm.ascent() - fm.descent()) / 2), text,
             colour, false, size);
    }

    void Segment(QPointF from, QPointF to, const QPen& pen)
    {
        p_.setPen(pen);
        p_.drawLine(from, to);
    }

    // Away from the middle of the figure, so names stand outside it.
    QPointF Outward(QPointF at, double distance) const
    {
        QPointF d = at - centre_;
        const double length = std::hypot(d.x(), d.y());
        d = length > 0 ? d / length : QPointF(0, -1);
        return at + d * distance;
    }

    QRectF StationBox(QPointF at) const
    {
        const double r = fontPx_ * 0.6;
        return QRectF(at.x() - r, at.y() - r, 2 * r, 1.5 * r);
    }
    QPointF StationLabelAt(QPointF at) const { return Outward(at, fontPx_ * 1.6); }

    // A known point: a triangle whose centroid is the point, and its name.
    void Station(QPointF at, const QString& name, const QString& known)
    {
        const double r = fontPx_ * 0.6;
        QPolygonF triangle;
        triangle << QPointF(at.x(), at.y() - r) << QPointF(at.x() - r * std::sqrt(3.0) / 2, at.y() + r / 2)
                 << QPointF(at.x() + r * std::sqrt(3.0) / 2, at.y() + r / 2);
        p_.setPen(QPen(kInk, 1.2));
        p_.setBrush(Qt::white);
        p_.drawPolygon(triangle);
        p_.setBrush(Qt::NoBrush);
        Centred(StationLabelAt(at), name, kInk, 1.2);
        if (!known.isEmpty()) Centred(KnownNameAt(at), known, kInk, 0.95);
    }

    // The known point's name a station was picked by, escaped and, when
    // long, cut as P's is; empty where the coordinates were typed.
    static QString KnownName(const CalculationOutcome& o, int i)
    {
        const std::string& picked = o.knownPoints[static_cast<std::size_t>(i)];
        if (picked.empty()) return {};
        QString name = QString::fromStdString(DrawingSafe(picked));
        if (name.size() > kKnownNameMax) name = name.left(kKnownNameMax - 1) + QChar(0x2026);
        return name;
    }
    static constexpr qsizetype kKnownNameMax = 16;
    // Beyond the station's letter, on the same side.
    QPointF KnownNameAt(QPointF at) const { return Outward(at, fontPx_ * 3.0); }

    QPointF SideNameAt(QPointF from, QPointF to) const
    {
        const QPointF mid = (from + to) / 2;
        QPointF normal(-(to - from).y(), (to - from).x());
        const double length = std::hypot(normal.x(), normal.y());
        if (length > 0) normal /= length;
        return mid + normal * fontPx_ * 0.9;
    }
    QRectF SideNameBox(QPointF from, QPointF to, const QString& name) const
    {
        return CentredBox(SideNameAt(from, to), name, 0.85);
    }

    void SideName(QPointF from, QPointF to, const QString& name) { Centred(SideNameAt(from, to), name, kGrey, 0.85); }

    void PointP(const GridView& view, Grid P, const QString& name, const std::optional<CalculationExtras>& extras,
                const std::vector<QRectF>& taken)
    {
        const QPointF at = view(P);
        p_.setPen(QPen(kInk, 1.2));
        p_.setBrush(kInk);
        p_.drawEllipse(at, fontPx_ * 0.22, fontPx_ * 0.22);
        p_.setBrush(Qt::NoBrush);
        double ellipseReach = 0;
        QString factorText;
        if (extras && extras->ellipse.E && extras->ellipse.F && extras->ellipse.phiE && *extras->ellipse.E > 0) {
            const ErrorEllipse& e = extras->ellipse;
            // The magnification: round, and the major semi-axis about a
            // twelfth of the drawing, so the shape is plain to see.
            const double unmagnified = *e.E / 1000.0 * view.scale();
            const double factor = std::max(1.0, RoundDown125(std::min(area_.width(), area_.height()) / 12.0 / unmagnified));
            if (std::isfinite(factor * unmagnified)) {
                p_.save();
                p_.translate(at);
                p_.rotate(*e.phiE);  // clockwise from north on a north-up device
                p_.setPen(QPen(kEllipse, 1.5));
                p_.drawEllipse(QPointF(0, 0), *e.F / 1000.0 * view.scale() * factor, unmagnified * factor);
                p_.restore();
                ellipseReach = unmagnified * factor;
                factorText = QStringLiteral("误差椭圆放大 %1 倍").arg(Metres(factor));
            }
        }
        // A long name is cut to a third of the width rather than run across the figure.
        const QString shown = QFontMetricsF(Font(1.2)).elidedText(name, Qt::ElideRight, area_.width() / 3);
        const QPointF label = LabelPlace(at, ellipseReach, shown, factorText, taken);
        Centred(label, shown, kInk, 1.2);
        if (!factorText.isEmpty()) Centred(label + QPointF(0, fontPx_ * 1.4), factorText, kEllipse, 0.85);
    }

    // P's name centred on `label`, the ellipse's factor under it: their box.
    QRectF LabelBox(QPointF label, const QString& name, const QString& factor) const
    {
        QRectF box = CentredBox(label, name, 1.2);
        if (!factor.isEmpty()) box |= CentredBox(label + QPointF(0, fontPx_ * 1.4), factor, 0.85);
        return box;
    }

    // Where P's label goes: straight out from the middle of the figure past
    // the ellipse, if it meets nothing there; else the first clear place
    // beyond the ellipse round P, turning both ways from there; failing all,
    // the place where it covers least.
    QPointF LabelPlace(QPointF at, double ellipseReach, const QString& name, const QString& factor,
                       const std::vector<QRectF>& taken) const
    {
        const auto covered = [&](QPointF label) {
            const QRectF box = LabelBox(label, name, factor);
            const QRectF inside = box & area_;
            double area = box.width() * box.height() - inside.width() * inside.height();
            for (const QRectF& t : taken) {
                const QRectF common = box & t;
                area += common.width() * common.height();
            }
            return area;
        };
        QPointF best = Outward(at, ellipseReach + fontPx_ * 1.4);
        double least = covered(best);
        const QRectF box = LabelBox(QPointF(0, 0), name, factor);
        const QPointF out = Outward(at, 1.0) - at;
        for (double reach : {ellipseReach + fontPx_ * 0.5, ellipseReach + fontPx_ * 0.5 + line_}) {
            for (int k = 0; k < 16 && least > 0; ++k) {
                const double turn = (k + 1) / 2 * (k % 2 ? 1 : -1) * M_PI / 8;
                const QPointF d(out.x() * std::cos(turn) - out.y() * std::sin(turn),
                                out.x() * std::sin(turn) + out.y() * std::cos(turn));
                // The box's nearest edge `reach` from P along d: clear of the ellipse.
                const double along = reach + std::abs(d.x()) * box.width() / 2 + std::abs(d.y()) * box.height() / 2;
                const QPointF label = at + d * along - box.center();
                if (const double c = covered(label); c < least) least = c, best = label;
            }
        }
        return best;
    }

    // The circles about A, B and C with the measured distances, as far as
    // they run inside `frame`: arcs, drawn as polylines so that every device
    // (an SVG has no clipping) shows the same.
    void Arcs(const GridView& view, const QRectF& frame, const Grid (&centres)[3], const double (&radii)[3])
    {
        constexpr int kSteps = 720;
        for (int i = 0; i < 3; ++i) {
            const QPointF c = view(centres[i]);
            const double r = radii[i] * view.scale();
            if (!Finite(centres[i]) || !std::isfinite(r) || r <= 0) continue;
            p_.setPen(QPen(kArcColour[i], 1.3, Qt::DashLine));
            QPolygonF run;
            for (int k = 0; k <= kSteps; ++k) {
                const double t = 2 * M_PI * k / kSteps;
                const QPointF q = c + QPointF(r * std::cos(t), r * std::sin(t));
                if (frame.contains(q)) {
                    run << q;
                    continue;
                }
                if (run.size() > 1) p_.drawPolyline(run);
                run.clear();
            }
            if (run.size() > 1) p_.drawPolyline(run);
        }
    }

    QRectF NorthArrowBox(QPointF top) const
    {
        return CentredBox(top, QStringLiteral("北"), 1.1)
               | QRectF(top.x() - fontPx_ * 0.45, top.y() + fontPx_ * 1.4, fontPx_ * 0.9, fontPx_ * 3);
    }

    void NorthArrow(QPointF top)
    {
        const double length = fontPx_ * 3;
        const QPointF tip(top.x(), top.y() + fontPx_ * 1.4);
        p_.setPen(QPen(kInk, 1.5));
        p_.drawLine(tip, tip + QPointF(0, length));
        QPolygonF head;
        head << tip << tip + QPointF(-fontPx_ * 0.45, fontPx_ * 1.1) << tip + QPointF(fontPx_ * 0.45, fontPx_ * 1.1);
        p_.setBrush(kInk);
        p_.drawPolygon(head);
        p_.setBrush(Qt::NoBrush);
        Centred(top, QStringLiteral("北"), kInk, 1.1);
    }

    // Room for the longest bar ScaleBar() may draw, with its words.
    QRectF ScaleBarBox(QPointF left, double room) const
    {
        const double above = fontPx_ * 2.0, below = fontPx_ * 1.7;
        return QRectF(left.x() - fontPx_, left.y() - above, room + fontPx_ * 4, above + below);
    }

    // A bar of a round length in metres, no longer than `room`.
    void ScaleBar(QPointF left, double room, double scale)
    {
        const double metres = RoundDown125(room / scale);
        const double length = metres * scale;
        const double tick = fontPx_ * 0.5;
        p_.setPen(QPen(kInk, 1.5));
        p_.drawLine(left, left + QPointF(length, 0));
        for (double x : {0.0, length / 2, length}) p_.drawLine(left + QPointF(x, -tick), left + QPointF(x, 0));
        Centred(left + QPointF(0, fontPx_ * 1.1), QStringLiteral("0"), kInk, 0.9);
        Centred(left + QPointF(length, fontPx_ * 1.1), Metres(metres) + QStringLiteral(" 米"), kInk, 0.9);
        Text(left + QPointF(0, -tick - fontPx_ * 0.5), QStringLiteral("比例尺"), kGrey, false, 0.85);
    }

    void Table(const QRectF& box, const std::optional<CalculationExtras>& extras)
    {
        const auto texts = ExtrasTexts(extras);
        const double rowH = box.height() / tableRows_;
        p_.setPen(QPen(kGrey, 1));
        p_.drawRect(box);
        Text(QPointF(box.left() + fontPx_ * 0.5, box.top() + rowH * 0.75), QStringLiteral("点位误差椭圆与平差检核"),
             kInk, true, 0.9);
        // Qxy is for the tools; the table shows E, F, φE, w′ and the spread.
        for (int i = 1; i < 6; ++i) {
            const double baseline = box.top() + rowH * (i + 0.75);
            Text(QPointF(box.left() + fontPx_ * 0.5, baseline), QString::fromUtf8(texts[i].label), kInk, false, 0.9);
            Text(QPointF(box.left() + box.width() * 0.55, baseline), QString::fromStdString(texts[i].value), kInk,
                 false, 0.9);
        }
        if (tableRows_ == 6) return;
        const MisclosureTest& test = *scene_.test;
        const double limitLine = box.top() + rowH * 6.75, verdictLine = box.top() + rowH * 7.75;
        Text(QPointF(box.left() + fontPx_ * 0.5, limitLine), QStringLiteral("闭合差限差"), kInk, false, 0.9);
        Text(QPointF(box.left() + box.width() * 0.55, limitLine), QString::fromStdString(LimitText(test.limit)), kInk,
             false, 0.9);
        Text(QPointF(box.left() + fontPx_ * 0.5, verdictLine), QStringLiteral("检验"), kInk, false, 0.9);
        Text(QPointF(box.left() + box.width() * 0.55, verdictLine), QString::fromUtf8(VerdictText(test.exceeded)),
             test.exceeded ? kRed : kInk, test.exceeded, 0.9);
    }

    // The reason the calculation stopped, and what the arcs are.
    void Failure(const QRectF& box, const CalculationOutcome& o)
    {
        QFont font = Font(0.9);
        p_.setFont(font);
        p_.setPen(kRed);
        const QString why = QStringLiteral("计算未能完成（%1）：%2")
                                .arg(QString::fromUtf8(StepText(o.failure->step())),
                                     QString::fromStdString(o.failure->message()));
        QRectF used;
        p_.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, why, &used);
        if (o.PointComputed()) return;
        const char* centres[] = {"A", "B", "C"};
        const double radii[] = {o.entered.S1, o.entered.S2, o.entered.S3};
        double y = used.bottom() + line_ * 0.8;
        for (int i = 0; i < 3; ++i, y += line_ * 0.9) {
            p_.setPen(QPen(kArcColour[i], 1.3, Qt::DashLine));
            p_.drawLine(QPointF(box.left(), y - fontPx_ * 0.3), QPointF(box.left() + fontPx_ * 2, y - fontPx_ * 0.3));
            Text(QPointF(box.left() + fontPx_ * 2.5, y),
                 QStringLiteral("以 %1 为圆心、半径 S%2 = %3 米的圆弧").arg(centres[i]).arg(i + 1).arg(Metres(radii[i])),
                 kArcColour[i], false, 0.9);
        }
    }

    QPainter& p_;
    QRectF area_;
    const SketchScene& scene_;
    double fontPx_;
    double line_;
    QPointF centre_;
    int tableRows_ = 6;
};

}  // namespace

void PaintSketch(QPainter& painter, const QRectF& area, const SketchScene& scene)
{
    SketchPainter(painter, area, scene).Paint();
}

}  // namespace corvanet
