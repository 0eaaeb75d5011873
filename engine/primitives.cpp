#include "engine/primitives.h"

namespace corvanet {

Real Distance(Real dx, Real dy)
{
    return Sqrt(dx * dx + dy * dy);
}

Real Azimuth(Real dx, Real dy, Real D)
{
    if (dx == 0.0) return dy > 0.0 ? Real(90.0) : Real(270.0);  // coincident points give 270
    if (dy == 0.0) return dx < 0.0 ? Real(180.0) : Real(0.0);
    // The arcsine of dy / D, taken through the arctangent. When dx² is lost
    // in the sum of the distance (or both squares underflow), the cosine
    // t / √(1 − t²) needs is zero or imaginary: the direction is too steep.
    if (D == 0.0) Real::Throw(Fault::SteepDirection);
    const Real t = dy / D;
    const Real cos2 = 1.0 - t * t;
    if (cos2 <= 0.0) Real::Throw(Fault::SteepDirection);
    Real alpha = Atn(t / Sqrt(cos2)) / DegToRad;
    if (dx < 0.0) alpha = 180.0 - alpha;
    if (dx > 0.0 && dy < 0.0) alpha = alpha + 360.0;
    return alpha;
}

Real TriangleAngle(Real p, Real q, Real r)
{
    // Law of cosines; the numerator is formed before the denominator, so an
    // overflow there is told before a zero side.
    const Real numerator = (p * p + q * q) - r * r;
    const Real denominator = (2.0 * p) * q;
    if (denominator == 0.0) Real::Throw(Fault::ZeroSide);
    const Real c = numerator / denominator;
    const Real sin2 = 1.0 - c * c;
    if (sin2 < 0.0) Real::Throw(Fault::NoTriangle);
    const Real root = Sqrt(sin2);
    if (c == 0.0) Real::Throw(Fault::RightAngle);  // the arctangent would divide by zero
    Real theta = Atn(root / c) / DegToRad;
    if (c < 0.0) theta = theta + 180.0;
    return theta;
}

}  // namespace corvanet
