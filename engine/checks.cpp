#include "engine/checks.h"

#include <algorithm>

#include "engine/adjustment.h"
#include "engine/primitives.h"

namespace corvanet {

AdjustmentChecks AdjustmentChecksOf(const SurveyRecord& r, const CalculationValues& v)
{
    AdjustmentChecks c;
    try {
        // The angles at B that the adjusted distances give, carried and
        // compared exactly as for the misclosure w.
        c.wAdjusted = CarriedMisclosure(v.adjustment.alphaBA, v.coordinates.angABP, v.coordinates.angPBC,
                                        v.adjustment.alphaBC).seconds.value();
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
