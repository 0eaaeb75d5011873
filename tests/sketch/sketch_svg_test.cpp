// The sketch as its SVG file shows it: the points where their coordinates
// put them with north up, one scale, a scale bar of a round length, the
// magnified error ellipse with its factor; and, for a figure that stopped,
// the measured distances as arcs with the reason. Any name leaves a file
// that reads, and P's labels keep off the others.
#include <gtest/gtest.h>

#include <QSvgRenderer>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

#include "engine/outcome.h"
#include "sketch/sketch_svg.h"
#include "tests/sketch/svg_reading.h"

namespace corvanet {
namespace {

using testing::SvgDrawing;
using testing::SvgRun;
using testing::SvgShape;
using testing::SvgText;

SurveyRecord Figure(double Xa, double Ya, double Xb, double Yb, double Xc, double Yc, double S1, double S2, double S3,
                    const char* name)
{
    SurveyRecord r;
    r.PointName = name;
    r.Xa = Xa, r.Ya = Ya, r.Xb = Xb, r.Yb = Yb, r.Xc = Xc, r.Yc = Yc, r.S1 = S1, r.S2 = S2, r.S3 = S3;
    r.S1obs = float(S1), r.S2obs = float(S2), r.S3obs = float(S3);
    return r;
}

const SurveyRecord kWorked = Figure(2500, 2600, 3000, 3000, 2450, 3550, 509.905, 412.308, 474.345, "P1");
const SurveyRecord kSwapped = Figure(2450, 3550, 3000, 3000, 2500, 2600, 474.345, 412.308, 509.905, "P1");

CalculationOutcome Outcome(SurveyRecord r)
{
    NullSink sink;
    return CalculateOutcome(r, sink);
}

class SketchSvg : public ::testing::Test {
protected:
    SvgDrawing Draw(const SketchScene& scene)
    {
        const QString path = dir_.filePath(QStringLiteral("sketch.svg"));
        std::string error;
        EXPECT_TRUE(WriteSketchSvg(scene, path, &error)) << error;
        return testing::ReadSvg(path);
    }

    // The centroid of the triangle nearest the label `name`: the point itself.
    static QPointF Station(const SvgDrawing& d, const QString& name)
    {
        const auto labels = d.TextsMatching(name);
        EXPECT_EQ(labels.size(), 1u) << name.toStdString();
        if (labels.empty()) return {};
        QPointF best;
        double nearest = INFINITY;
        for (const SvgShape& path : d.paths) {
            if (path.points.size() < 3) continue;
            const QPointF c = (path.points[0] + path.points[1] + path.points[2]) / 3;
            const double dist = QLineF(c, labels[0].at).length();
            if (dist < nearest) nearest = dist, best = c;
        }
        EXPECT_LT(nearest, 40.0) << "a triangle beside " << name.toStdString();
        return best;
    }

    QTemporaryDir dir_;
};

TEST_F(SketchSvg, WorkedFigureStandsNorthUpToOneScale)
{
    const CalculationOutcome o = Outcome(kWorked);
    const SvgDrawing d = Draw({&o, {}});
    const QPointF A = Station(d, "A"), B = Station(d, "B"), C = Station(d, "C");
    ASSERT_EQ(d.circles.size(), 1u) << "the dot of P";
    const QPointF P = d.circles[0].centre;

    // Device units per metre, from B to A; every other pair must agree.
    const double scale = QLineF(B, A).length() / std::hypot(kWorked.Xa - kWorked.Xb, kWorked.Ya - kWorked.Yb);
    const auto expectPlaced = [&](QPointF from, double X0, double Y0, QPointF to, double X1, double Y1, const char* what) {
        EXPECT_NEAR(to.x() - from.x(), (Y1 - Y0) * scale, 0.01) << what << ": east to the right";
        EXPECT_NEAR(to.y() - from.y(), -(X1 - X0) * scale, 0.01) << what << ": north up";
    };
    expectPlaced(B, kWorked.Xb, kWorked.Yb, A, kWorked.Xa, kWorked.Ya, "A from B");
    expectPlaced(B, kWorked.Xb, kWorked.Yb, C, kWorked.Xc, kWorked.Yc, "C from B");
    expectPlaced(B, kWorked.Xb, kWorked.Yb, P, o.record.xp1, o.record.yp1, "P from B");
    EXPECT_EQ(d.TextsMatching("P1").size(), 1u);

    // The legs of the fixed angle in red, from B.
    int legs = 0;
    for (const SvgShape& line : d.polylines)
        if (line.stroke == "#ff0000" && line.points.size() == 2 && QLineF(line.points[0], B).length() < 0.01) ++legs;
    EXPECT_EQ(legs, 2);

    // The scale bar: a round number of metres, as long as the scale says.
    const auto bar = d.TextsMatching(QStringLiteral(R"(([\d.]+) 米)"));
    ASSERT_EQ(bar.size(), 1u);
    const double metres = bar[0].text.split(' ').front().toDouble();
    const double decade = std::pow(10.0, std::floor(std::log10(metres)));
    EXPECT_TRUE(metres == decade || metres == 2 * decade || metres == 5 * decade) << metres;
    int bars = 0;
    for (const SvgShape& line : d.polylines)
        if (line.points.size() == 2 && std::abs(line.points[0].y() - line.points[1].y()) < 1e-6
            && std::abs(std::abs(line.points[1].x() - line.points[0].x()) - metres * scale) < 0.01)
            ++bars;
    EXPECT_EQ(bars, 1) << "one horizontal line of " << metres << " m";
    EXPECT_GT(metres * scale, 800 * 0.1) << "long enough to read";
}

TEST_F(SketchSvg, ErrorEllipseIsMagnifiedByTheFactorWrittenBesideIt)
{
    const CalculationOutcome o = Outcome(kWorked);
    const SvgDrawing d = Draw({&o, {}});
    const QPointF B = Station(d, "B");
    const double scale = QLineF(B, Station(d, "A")).length() / std::hypot(500.0, 400.0);

    const auto written = d.TextsMatching(QStringLiteral(R"(误差椭圆放大 (\d+) 倍)"));
    ASSERT_EQ(written.size(), 1u);
    const double factor = written[0].text.section(' ', 1, 1).toDouble();
    const double decade = std::pow(10.0, std::floor(std::log10(factor)));
    EXPECT_TRUE(factor == decade || factor == 2 * decade || factor == 5 * decade) << factor;

    ASSERT_EQ(d.ellipses.size(), 1u);
    const SvgShape& e = d.ellipses[0];
    const ErrorEllipse& ee = o.extras->ellipse;
    EXPECT_NEAR(e.ry, *ee.E / 1000 * scale * factor, 0.01) << "major semi-axis along the ellipse's own north";
    EXPECT_NEAR(e.rx, *ee.F / 1000 * scale * factor, 0.01);
    EXPECT_GT(e.ry, 10.0) << "clearly visible";
    EXPECT_NEAR(QLineF(e.centre, d.circles.at(0).centre).length(), 0.0, 1e-3) << "centred on P";
    // Its own north turned clockwise by φE: the major axis points that way on the map.
    const QPointF north = e.transform.map(QPointF(0, -1)) - e.transform.map(QPointF(0, 0));
    EXPECT_NEAR(std::atan2(north.x(), -north.y()) * 180 / M_PI, *ee.phiE, 1e-3);

    for (const char* row : {"长半轴 E", "短半轴 F", "长半轴方位角 φE", "平差后闭合差 w′", "三点推算较差"})
        EXPECT_EQ(d.TextsMatching(QString::fromUtf8(row)).size(), 1u) << row;
    EXPECT_EQ(d.TextsMatching(QStringLiteral("3.40毫米")).size(), 1u);
    EXPECT_EQ(d.TextsMatching(QStringLiteral("19.605°")).size(), 1u);
}

TEST_F(SketchSvg, SwappedFigureShowsTheArcsAndWhyItStopped)
{
    const CalculationOutcome o = Outcome(kSwapped);
    ASSERT_FALSE(o.PointComputed());
    const SvgDrawing d = Draw({&o, {}});
    EXPECT_TRUE(d.ellipses.empty());
    EXPECT_TRUE(d.circles.empty()) << "no P";
    const QPointF centres[3] = {Station(d, "A"), Station(d, "B"), Station(d, "C")};
    const double scale = QLineF(centres[1], centres[0]).length() / std::hypot(550.0, 550.0);
    const double radii[3] = {474.345, 412.308, 509.905};
    const QString colours[3] = {"#005adc", "#008c3c", "#aa00aa"};
    for (int i = 0; i < 3; ++i) {
        int points = 0;
        for (const SvgShape& arc : d.polylines) {
            if (arc.stroke != colours[i] || arc.points.size() < 10) continue;
            for (const QPointF& q : arc.points) {
                EXPECT_NEAR(QLineF(centres[i], q).length(), radii[i] * scale, 0.01) << "arc " << i;
                ++points;
            }
        }
        EXPECT_GT(points, 100) << "arc about point " << i;
    }
    bool told = false;
    for (const SvgText& t : d.texts) told = told || t.text.contains(QStringLiteral("平差改正后的边长不大于零"));
    EXPECT_TRUE(told);
    EXPECT_EQ(d.TextsMatching(QStringLiteral("以 A 为圆心、半径 S1 = 474.345 米的圆弧")).size(), 1u);
    // Seen from B towards P, C now lies on the left of the map, A on the right.
    EXPECT_LT(centres[2].x(), centres[0].x());
}

TEST_F(SketchSvg, SaysWhenItIsNotTheLastCalculationAndWhenThereIsNone)
{
    const CalculationOutcome o = Outcome(kWorked);
    const SvgDrawing stale = Draw({&o, "最近一次计算在输入时已取消，这里是上一次计算的结果。"});
    EXPECT_EQ(stale.TextsMatching(QStringLiteral("最近一次计算在输入时已取消，这里是上一次计算的结果。")).size(), 1u);
    EXPECT_TRUE(Draw({&o, {}}).TextsMatching(QStringLiteral(".*上一次.*")).empty());

    const SvgDrawing none = Draw({nullptr, {}});
    EXPECT_TRUE(none.paths.empty());
    EXPECT_EQ(none.TextsMatching(QStringLiteral("尚未计算.*")).size(), 1u);
}

TEST_F(SketchSvg, PointComputedButPrecisionStoppedDrawsPWithoutTheEllipse)
{
    // A zero misclosure: P stands, m divides by zero.
    const CalculationOutcome o =
        Outcome(Figure(-20, -50, 0, 0, 100, 100, 30, std::hypot(50.0, 50.0), std::hypot(150.0, 150.0), "Z"));
    ASSERT_TRUE(o.PointComputed());
    ASSERT_FALSE(o.Complete());
    const SvgDrawing d = Draw({&o, {}});
    EXPECT_EQ(d.circles.size(), 1u) << "the dot of P";
    EXPECT_TRUE(d.ellipses.empty());
    EXPECT_EQ(d.TextsMatching(QStringLiteral("无法算出")).size(), 5u);
    EXPECT_EQ(d.TextsMatching(QStringLiteral("计算未能完成.*")).size(), 1u);
}

TEST_F(SketchSvg, AbsurdFiguresStillDraw)
{
    for (const SurveyRecord& f : {Figure(1e308, 0, -1e308, 0, 0, 5, 1, 1, 1, "H"), Figure(0, 0, 0, 0, 0, 0, 0, 0, 0, ""),
                                  Figure(1e-300, 0, 0, 0, 0, 1e-300, 1e-300, 1e-300, 1e-300, "T")}) {
        const CalculationOutcome o = Outcome(f);
        EXPECT_FALSE(Draw({&o, {}}).TextsMatching(QStringLiteral("计算未能完成.*")).empty());
    }
}

const QString kTitleAfterName = QStringLiteral("的图形（北向上，纵横同一比例尺）");

SurveyRecord Named(SurveyRecord r, std::string name)
{
    r.PointName = std::move(name);
    return r;
}

// The runs of the title line from left to right.
std::vector<SvgRun> TitleRuns(const SvgDrawing& d)
{
    const auto titles = d.TextsMatching(QStringLiteral("待定点.*"));
    EXPECT_EQ(titles.size(), 1u);
    if (titles.empty()) return {};
    std::vector<SvgRun> runs = titles[0].runs;
    std::sort(runs.begin(), runs.end(), [](const SvgRun& a, const SvgRun& b) { return a.box.left() < b.box.left(); });
    return runs;
}

TEST_F(SketchSvg, AnyNameLeavesAFileThatParsesWithTheNameEscapedOnTheTitleLine)
{
    const struct {
        std::string name;
        const char* shown;
    } cases[] = {
        {std::string("P\0" "1", 3), "P\\x001"},
        {"P\x1b[7m1", "P\\e[7m1"},
        {"P\a1", "P\\x071"},
        {"P\v1", "P\\x0B1"},
        {"P\f1", "P\\x0C1"},
        {"P\xef\xbf\xbe" "1", "P\\uFFFE1"},
        {"P\xef\xbf\xbf" "1", "P\\uFFFF1"},
        {"P\xed\xa0\x80" "1", "P\\uD8001"},        // an encoded surrogate
        {"P\t1\r\n2", "P\\t1\\r\\n2"},
        {"P\xe2\x80\xa8" "1", "P\\u20281"},        // line separator
        {"P\xff" "1", "P\uFFFD1"},                 // not UTF-8
    };
    for (const auto& c : cases) {
        const QString shown = QString::fromUtf8(c.shown);
        SCOPED_TRACE(shown.toStdString());
        const CalculationOutcome o = Outcome(Named(kWorked, c.name));
        const QString path = dir_.filePath(QStringLiteral("named.svg"));
        std::string error;
        ASSERT_TRUE(WriteSketchSvg({&o, {}}, path, &error)) << error;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) xml.readNext();
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
        EXPECT_TRUE(QSvgRenderer(path).isValid());

        const SvgDrawing d = testing::ReadSvg(path);
        QString title;
        for (const SvgRun& run : TitleRuns(d)) title += run.text;
        EXPECT_EQ(title.trimmed(), QStringLiteral("待定点 ") + shown + QStringLiteral(" ") + kTitleAfterName);
        EXPECT_EQ(d.TextsMatching(QRegularExpression::escape(shown)).size(), 1u) << "beside P";
    }
}

TEST_F(SketchSvg, RightToLeftNameLeavesTheTitleInItsOrder)
{
    // An override and an isolate are shown escaped; letters written right to
    // left stay within the name's own place.
    const struct {
        const char* name;
        const char* shown;
    } cases[] = {{"P\u202E1abc", "P\\u202E1abc"}, {"\u2067Q\u202Bx", "\\u2067Q\\u202Bx"}, {"\u05E0\u05E7 7", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CalculationOutcome o = Outcome(Named(kWorked, c.name));
        const std::vector<SvgRun> runs = TitleRuns(Draw({&o, {}}));
        ASSERT_GE(runs.size(), 2u);
        EXPECT_TRUE(runs.front().text.startsWith(QStringLiteral("待定点 "))) << runs.front().text.toStdString();
        EXPECT_EQ(runs.back().text.trimmed(), kTitleAfterName);
        if (!c.shown) continue;
        QString title;
        for (const SvgRun& run : runs) title += run.text;
        EXPECT_EQ(title.trimmed(), QStringLiteral("待定点 %1 ").arg(QString::fromUtf8(c.shown)) + kTitleAfterName);
    }
}

TEST_F(SketchSvg, LabelsOfPKeepOffTheOtherLabelsAndTheTable)
{
    const SurveyRecord deep = Figure(2500, 2600, 3000, 3000, 2450, 3550, 509.905, 700, 474.345, "P1");
    std::string chinese;
    for (int i = 0; i < 40; ++i) chinese += "测";
    const struct {
        SurveyRecord figure;
        const char* what;
    } cases[] = {{kWorked, "worked"},
                 {deep, "P far south, near the table"},
                 {Named(kWorked, std::string(80, 'P')), "long name"},
                 {Named(kWorked, chinese), "long Chinese name"},
                 {Named(deep, std::string(80, 'P')), "long name near the table"}};
    const QRectF drawing(0, 0, 800, 600);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CalculationOutcome o = Outcome(c.figure);
        const SvgDrawing d = Draw({&o, {}});
        const auto factor = d.TextsMatching(QStringLiteral(R"(误差椭圆放大 \d+ 倍)"));
        const auto name = d.TextsMatching(QRegularExpression::escape(QString::fromStdString(c.figure.PointName).left(2)) + ".*");
        ASSERT_EQ(factor.size(), 1u);
        ASSERT_EQ(name.size(), 1u);
        std::vector<QRectF> tables;
        for (const SvgShape& r : d.rects)
            if (r.stroke == "#6e6e6e") tables.push_back(r.bounds());
        ASSERT_EQ(tables.size(), 1u);

        EXPECT_FALSE(name[0].box.intersects(factor[0].box));
        for (const SvgText& label : {name[0], factor[0]}) {
            const std::string which = label.text.toStdString();
            EXPECT_TRUE(drawing.contains(label.box)) << which;
            EXPECT_FALSE(label.box.intersects(tables[0])) << which << " on the table";
            for (const char* other : {"A", "B", "C", "S1", "S2", "S3"}) {
                const auto found = d.TextsMatching(QString::fromLatin1(other));
                ASSERT_EQ(found.size(), 1u) << other;
                EXPECT_FALSE(label.box.intersects(found[0].box)) << which << " on " << other;
            }
        }
        EXPECT_LE(name[0].box.width(), drawing.width() / 3 + 1) << "cut to its space";
        EXPECT_TRUE(drawing.contains(d.TextsMatching(QStringLiteral("待定点.*")).at(0).box)) << "the title";
    }
}

TEST_F(SketchSvg, UnwritableFileIsSaidPlainly)
{
    std::string error;
    EXPECT_FALSE(WriteSketchSvg({}, dir_.filePath(QStringLiteral("no/such/folder/x.svg")), &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace corvanet

namespace corvanet {
namespace {

TEST_F(SketchSvg, MisclosureTestRowsInTheTableTheVerdictRedWhenExceeded)
{
    const MeterPrecision meter{2.0, 2.0};
    const CalculationOutcome worked = Outcome(kWorked);
    const SvgDrawing passes = Draw({&worked, {}, TestMisclosure(worked, meter)});
    ASSERT_EQ(passes.TextsMatching(QStringLiteral("闭合差限差")).size(), 1u);
    EXPECT_EQ(passes.TextsMatching(QStringLiteral("±4.91秒")).size(), 1u);
    const auto pass = passes.TextsMatching(QStringLiteral("合格"));
    ASSERT_EQ(pass.size(), 1u);
    EXPECT_NE(pass[0].fill, QStringLiteral("#ff0000"));

    SurveyRecord blunder = kWorked;
    blunder.S1 = 510.005;
    const CalculationOutcome o = Outcome(blunder);
    const SvgDrawing exceeded = Draw({&o, {}, TestMisclosure(o, meter)});
    const auto verdict = exceeded.TextsMatching(QStringLiteral("超限"));
    ASSERT_EQ(verdict.size(), 1u);
    EXPECT_EQ(verdict[0].fill, QStringLiteral("#ff0000"));
    // The rows stay inside the drawing.
    EXPECT_LE(verdict[0].box.bottom(), 600.0);

    const SvgDrawing without = Draw({&worked, {}});
    EXPECT_TRUE(without.TextsMatching(QStringLiteral("闭合差限差")).empty()) << "no test, no rows";
}

}  // namespace
}  // namespace corvanet
