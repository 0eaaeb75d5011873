// The worked figure, every published intermediate value to at least twelve
// significant digits, the singles exactly.
#include <gtest/gtest.h>

#include "tests/engine/test_figures.h"

namespace corvanet {
namespace {

using testing::RecordingSink;
using testing::WorkedFigure;

class WorkedFigureTest : public ::testing::Test {
protected:
    void SetUp() override { values = Calculate(record, sink); }
    SurveyRecord record = WorkedFigure();
    RecordingSink sink;
    CalculationValues values;
};

TEST_F(WorkedFigureTest, Adjustment)
{
    const AdjustmentValues& a = values.adjustment;
    EXPECT_12(a.DBA, 640.3124237432849);
    EXPECT_12(a.alphaBA, 218.65980825519506);
    EXPECT_12(a.DBC, 777.8174593052023);
    EXPECT_12(a.alphaBC, 134.9999999987138);
    EXPECT_12(a.angBAP, 40.02995468914233);
    EXPECT_12(a.angABP, 52.69649280983608);
    EXPECT_12(a.angAPB, 87.27355250102158);
    EXPECT_12(a.angBPC, 122.47097625968681);
    EXPECT_12(a.angPBC, 30.96408187661145);
    EXPECT_12(a.h1, 411.8412774032124);
    EXPECT_12(a.h2, 347.84921531551964);
    EXPECT_12(a.alphaBCcalc, 134.9992335687475);
    EXPECT_EQ(record.w, -2.759147882461548f);
    EXPECT_EQ(static_cast<double>(record.w), -2.759147882461548);
    EXPECT_12(a.a1, -500.83615052032934);
    EXPECT_12(a.a2, -294.52694923627075);
    EXPECT_12(a.a3, -592.9724458711386);
    EXPECT_12(a.Naa, 689199.2950568472);
    EXPECT_12(record.k, 0.000004003410772835984);
    EXPECT_12(a.dS1, -0.0020050528404187908);
    EXPECT_12(a.dS2, -0.0011791123614630031);
    EXPECT_12(a.dS3, -0.0023739122777954183);
    EXPECT_EQ(static_cast<double>(record.ms), 3.3235526084899902);
    EXPECT_12(record.S1, 509.9029949471595);
    EXPECT_12(record.S2, 412.30682088763854);
    EXPECT_12(record.S3, 474.34262608772224);
}

TEST_F(WorkedFigureTest, Coordinates)
{
    const CoordinateValues& c = values.coordinates;
    EXPECT_12(c.angBAP, 40.02983277539837);
    EXPECT_12(c.angABP, 52.69622166687481);
    EXPECT_12(c.angAPB, 87.27394555772682);
    EXPECT_12(c.angBPC, 122.47182284337897);
    EXPECT_12(c.angPBC, 30.963586585172518);
    EXPECT_12(c.angBCP, 26.56459057144851);
    EXPECT_12(c.alphaAP, 78.6896410305934);
    EXPECT_12(c.alphaBP, 165.96358658832025);
    EXPECT_12(c.alphaCP, 288.4354094272653);
    EXPECT_12(record.xp1, 2600.0039265632645);
    EXPECT_12(record.yp1, 3100.0002789279342);
    EXPECT_12(record.xp2, 2600.0039265722435);
    EXPECT_12(record.yp2, 3100.0002789638515);
    EXPECT_12(record.xp3, 2600.0039264901893);
    EXPECT_12(record.yp3, 3100.00027893195);
    EXPECT_LT(std::abs(record.xp2 - record.xp1), 4e-8);
    EXPECT_LT(std::abs(record.yp2 - record.yp1), 4e-8);
}

TEST_F(WorkedFigureTest, Precision)
{
    const PrecisionValues& p = values.precision;
    EXPECT_EQ(p.route, Route::A);
    EXPECT_12(p.h, 509.32596357650925);
    EXPECT_12(p.fx1, 0.2428132821162819);
    EXPECT_12(p.fx2, -0.9816901447884383);
    EXPECT_EQ(p.fx3, 0.0);
    EXPECT_12(p.fy1, 0.9712408848152077);
    EXPECT_12(p.fy2, 0.19634562876204567);
    EXPECT_EQ(p.fy3, 0.0);
    EXPECT_12(p.ffX, 1.0226738303468261);
    EXPECT_12(p.afX, 167.5245339295263);
    EXPECT_12(p.ffY, 0.9818604622705904);
    EXPECT_12(p.afY, -544.2616250139698);
    EXPECT_12(record.px, 0.9819534325321561);
    EXPECT_12(record.py, 0.5520563133292977);
    EXPECT_EQ(static_cast<double>(record.mx), 3.293426752090454);
    EXPECT_EQ(static_cast<double>(record.my), 2.4694159030914307);
    EXPECT_EQ(static_cast<double>(record.md), 4.116391181945801);
    EXPECT_12(p.Dmin, 412.30682088763854);
    EXPECT_EQ(static_cast<double>(record.m), 100162.203125);
}

TEST_F(WorkedFigureTest, ResultsAreShownInTheOrderTheyAreStored)
{
    using F = ResultField;
    const std::vector<F> expected{F::w,  F::ms, F::xp1, F::yp1, F::xp2, F::yp2, F::xp3,
                                  F::yp3, F::px, F::py,  F::mx,  F::my,  F::md,  F::m};
    EXPECT_EQ(sink.shown, expected);
}

TEST_F(WorkedFigureTest, MeasuredCopiesAreUntouched)
{
    EXPECT_EQ(record.S1obs, 509.905f);
    EXPECT_EQ(record.S2obs, 412.308f);
    EXPECT_EQ(record.S3obs, 474.345f);
}

// A sink that checks, at each showing, that the later fields are not yet written.
class SnapshotSink : public ResultSink {
public:
    void ShowResult(ResultField field, const SurveyRecord& r) override
    {
        if (field == ResultField::w) {
            wSeenBeforeK = (r.k == 0.0);
        }
        if (field == ResultField::ms) {
            measuredAtMs = r.S1 == 509.905 && r.S2 == 412.308 && r.S3 == 474.345;
        }
        if (field == ResultField::xp1) yp1UnsetAtXp1 = (r.yp1 == 0.0);
        if (field == ResultField::px) mAtPrecision = r.m;
    }
    bool wSeenBeforeK = false;
    bool measuredAtMs = false;
    bool yp1UnsetAtXp1 = false;
    float mAtPrecision = -1.0f;
};

TEST(WorkedFigureShowing, EachResultIsShownBeforeTheNextStepRuns)
{
    SurveyRecord r = testing::WorkedFigure();
    SnapshotSink sink;
    Calculate(r, sink);
    EXPECT_TRUE(sink.wSeenBeforeK);
    EXPECT_TRUE(sink.measuredAtMs) << "ms is on screen before the distances are overwritten";
    EXPECT_TRUE(sink.yp1UnsetAtXp1);
    EXPECT_EQ(sink.mAtPrecision, 0.0f) << "the five precision figures are shown before m is computed";
}

TEST(WorkedFigureExact, ExactDistancesLeaveAlmostNoMisclosure)
{
    SurveyRecord r = testing::Figure(2500, 2600, 3000, 3000, 2450, 3550, std::sqrt(260000.0), std::sqrt(170000.0),
                                     std::sqrt(225000.0));
    NullSink sink;
    const CalculationValues v = Calculate(r, sink);
    EXPECT_LT(std::abs(r.w), 1e-9f);
    EXPECT_LT(std::abs(v.adjustment.dS1), 1e-13);
    EXPECT_LT(std::abs(v.adjustment.dS2), 1e-13);
    EXPECT_LT(std::abs(v.adjustment.dS3), 1e-13);
}

}  // namespace
}  // namespace corvanet
