#pragma once
// Geometric primitives: distance, azimuth, triangle angle, third angle,
// sine and cosine of an angle in degrees. A figure they cannot solve throws
// ArithmeticFault with what is wrong with it (zero side, right angle, no
// triangle, steep direction), or with the fault of the operation.
#include "engine/checked_real.h"
#include "engine/constants.h"

namespace corvanet {

// F1: sqrt(dx² + dy²), the squares summed before the root.
Real Distance(Real dx, Real dy);

// F2: azimuth in degrees, clockwise from north, in [0, 360]: a dy a hair
// below zero with dx > 0 gives exactly 360, the arctangent's tiny negative
// angle lost in the sum. `D` is the distance just computed for the same dx,
// dy. Exact zero tests, in order.
Real Azimuth(Real dx, Real dy, Real D);

// F3: the angle between sides p and q, opposite r, in degrees, in [0, 180].
Real TriangleAngle(Real p, Real q, Real r);

// F4: the third angle, (180 − theta1) − theta2 in that order.
inline Real ThirdAngle(Real theta1, Real theta2) { return (180.0 - theta1) - theta2; }

// F5: trigonometry of an angle in degrees.
inline Real SinDeg(Real theta) { return Sin(theta * DegToRad); }
inline Real CosDeg(Real theta) { return Cos(theta * DegToRad); }

}  // namespace corvanet
