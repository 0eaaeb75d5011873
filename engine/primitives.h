#pragma once
// Geometric primitives: distance, azimuth, triangle angle, third angle,
// sine and cosine of an angle in degrees. A figure they cannot solve throws
// ArithmeticFault with what is wrong with it (zero side, right angle, no
// triangle, steep direction), or with the fault of the operation. Inline,
// so that a stage's independent triangles overlap in the processor rather
// than wait on each other's calls.
#include "engine/checked_real.h"
#include "engine/constants.h"

namespace corvanet {

// F1: sqrt(dx² + dy²), the squares summed before the root.
inline Real Distance(Real dx, Real dy) { return Sqrt(dx * dx + dy * dy); }

// F2: azimuth in degrees, clockwise from north, in [0, 360]: a dy a hair
// below zero with dx > 0 gives exactly 360, the arctangent's tiny negative
// angle lost in the sum. `D` is the distance just computed for the same dx,
// dy. Exact zero tests, in order.
inline Real Azimuth(Real dx, Real dy, Real D, const Constants& constants)
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
    Real alpha = Atn(t / Sqrt(cos2)) / constants.DegToRad;
    if (dx < 0.0) alpha = 180.0 - alpha;
    if (dx > 0.0 && dy < 0.0) alpha = alpha + 360.0;
    return alpha;
}

// F3: the angle between sides p and q, opposite r, in degrees, in [0, 180].
inline Real TriangleAngle(Real p, Real q, Real r, const Constants& constants)
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
    Real theta = Atn(root / c) / constants.DegToRad;
    if (c < 0.0) theta = theta + 180.0;
    return theta;
}

// F4: the third angle, (180 − theta1) − theta2 in that order.
inline Real ThirdAngle(Real theta1, Real theta2) { return (180.0 - theta1) - theta2; }

// F5: trigonometry of an angle in degrees.
inline Real SinDeg(Real theta, const Constants& constants) { return Sin(theta * constants.DegToRad); }
inline Real CosDeg(Real theta, const Constants& constants) { return Cos(theta * constants.DegToRad); }

}  // namespace corvanet
