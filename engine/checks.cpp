#include "engine/checks.h"

#include <algorithm>

#include "engine/primitives.h"

namespace corvanet {
namespace {

constexpr double kTurnSeconds = 1296000.0;
constexpr double kHalfTurnSeconds = 648000.0;

}  // namespace

AdjustmentChecks AdjustmentChecksOf(const SurveyRecord& r, const CalculationValues& v)
{
    AdjustmentChecks c;
    try {
        // The azimuth of B→A carried through the two angles at B that the
        // adjusted distances give, compared with B→C and brought across the
        // seam at north exactly as the misclosure w is.
        Real alphaBCcalc = (Real(v.adjustment.alphaBA) - v.coordinates.angABP) - v.coordinates.angPBC;
        if (alphaBCcalc < 0.0) alphaBCcalc = alphaBCcalc + 360.0;
        Real seconds = (alphaBCcalc - v.adjustment.alphaBC) * 3600.0;
        if (seconds > kHalfTurnSeconds)
            seconds = seconds - kTurnSeconds;
        else if (seconds <= -kHalfTurnSeconds)
            seconds = seconds + kTurnSeconds;
        c.wAdjusted = seconds.value();
    } catch (const ArithmeticFault&) {
    }
    try {
        const auto apart = [](double x1, double y1, double x2, double y2) {
            return Distance(Real(x2) - x1, Real(y2) - y1).value();
        };
        const double metres = std::max({apart(r.xp1, r.yp1, r.xp2, r.yp2), apart(r.xp1, r.yp1, r.xp3, r.yp3),
                                        apart(r.xp2, r.yp2, r.xp3, r.yp3)});
        c.routeSpread = (Real(metres) * 1000.0).value();
    } catch (const ArithmeticFault&) {
    }
    return c;
}

}  // namespace corvanet
