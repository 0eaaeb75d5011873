#include "engine/primitives.h"

namespace corvanet {

Real Distance(Real dx, Real dy)
{
    return Sqrt(dx * dx + dy * dy);
}

Real Azimuth(Real dx, Real dy, Real D, const Constants& k)
{
    if (dx == 0.0) return dy > 0.0 ? Real(90.0) : Real(270.0);  // coincident points give 270
    if (dy == 0.0) return dx < 0.0 ? Real(180.0) : Real(0.0);
    try {
        // The arcsine of dy / D, taken through the arctangent. When dx² is
        // lost in the sum of the distance, |t| is 1 or a hair above it.
        const Real t = dy / D;
        Real alpha = Atn(t / Sqrt(1.0 - t * t)) / k.DegToRad;
        if (dx < 0.0) alpha = 180.0 - alpha;
        if (dx > 0.0 && dy < 0.0) alpha = alpha + 360.0;
        return alpha;
    } catch (const ArithmeticFault& f) {
        if (f.fault == Fault::DivisionByZero || f.fault == Fault::NegativeRoot)
            throw ArithmeticFault{Fault::SteepDirection};
        throw;
    }
}

Real TriangleAngle(Real p, Real q, Real r, const Constants& k)
{
    Real c;
    try {
        c = ((p * p + q * q) - r * r) / ((2.0 * p) * q);
    } catch (const ArithmeticFault& f) {
        if (f.fault == Fault::DivisionByZero) throw ArithmeticFault{Fault::ZeroSide};
        throw;
    }
    Real root;
    try {
        root = Sqrt(1.0 - c * c);
    } catch (const ArithmeticFault& f) {
        if (f.fault == Fault::NegativeRoot) throw ArithmeticFault{Fault::NoTriangle};
        throw;
    }
    if (c == 0.0) throw ArithmeticFault{Fault::RightAngle};  // the arctangent would divide by zero
    Real theta = Atn(root / c) / k.DegToRad;
    if (c < 0.0) theta = theta + 180.0;
    return theta;
}

}  // namespace corvanet
