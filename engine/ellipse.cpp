#include "engine/ellipse.h"

#include <cmath>

namespace corvanet {
namespace {

// A figure whose arithmetic fails is simply not available.
template <class Body>
std::optional<double> IfAvailable(Body&& body)
{
    try {
        return body().value();
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

}  // namespace

ErrorEllipse ErrorEllipseOf(const SurveyRecord& r, const CalculationValues& v)
{
    const PrecisionValues& p = v.precision;
    ErrorEllipse e;
    // Qxy = [fx·fy] − [a·fx]·[a·fy] / [aa], as px and py are [ff] − [af]² / [aa].
    e.Qxy = IfAvailable([&] {
        const Real fxfy = (Real(p.fx1) * p.fy1 + Real(p.fx2) * p.fy2) + Real(p.fx3) * p.fy3;
        return fxfy - Real(p.afX) * p.afY / v.adjustment.Naa;
    });
    if (!e.Qxy) return e;

    const Real px = r.px, py = r.py, Qxy = *e.Qxy;
    const Real ms = r.ms;  // the stored single, widened
    const auto K = [&] { return Sqrt((px - py) * (px - py) + 4.0 * (Qxy * Qxy)); };
    e.E = IfAvailable([&] { return ms * Sqrt((px + py + K()) / 2.0); });
    e.F = IfAvailable([&] {
        // px·py ≥ Qxy² makes the radicand non-negative; for a flat ellipse
        // rounding may leave it a few units below zero, which is zero.
        Real half = (px + py - K()) / 2.0;
        if (half < 0.0 && -half.value() <= 1e-12 * (px + py).value()) half = 0.0;
        return ms * Sqrt(half);
    });
    // A circle has no major axis.
    e.phiE = IfAvailable([&] {
        if (K() == 0.0) throw ArithmeticFault{Fault::Invalid};
        const Real twice = Real::Checked(std::atan2((2.0 * Qxy).value(), (px - py).value())) / DegToRad;
        const Real phi = twice / 2.0;
        return phi < 0.0 ? phi + 180.0 : phi;
    });
    return e;
}

}  // namespace corvanet
