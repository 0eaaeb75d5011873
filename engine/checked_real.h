#pragma once
// Checked double arithmetic. Every operation of the engine goes through
// `Real`, so a division by zero, a square root of a negative number, an
// overflow or an invalid result stops the calculation at the operation that
// produced it, wherever it stands in a formula. The IEEE operations are the
// plain double ones, so the figures are bit for bit those of unchecked code.
#include <cmath>

namespace corvanet {

enum class Fault {
    DivisionByZero,
    NegativeRoot,
    Overflow,
    Invalid,
    // Refined by the primitives, which know what a failed operation means.
    ZeroSide,        // a side of a triangle has zero length
    RightAngle,      // the angle is exactly 90 degrees (cosine exactly 0)
    NoTriangle,      // the sides violate the triangle inequality
    SteepDirection,  // dx vanishes against dy in the azimuth
};

struct ArithmeticFault {
    Fault fault;
};

class Real {
public:
    constexpr Real(double v = 0.0) : v_(v) {}  // implicit: literals and record fields read widened
    constexpr double value() const { return v_; }

    friend Real operator+(Real a, Real b) { return Checked(a.v_ + b.v_); }
    friend Real operator-(Real a, Real b) { return Checked(a.v_ - b.v_); }
    friend Real operator*(Real a, Real b) { return Checked(a.v_ * b.v_); }
    friend Real operator/(Real a, Real b)
    {
        if (b.v_ == 0.0) throw ArithmeticFault{Fault::DivisionByZero};
        return Checked(a.v_ / b.v_);
    }
    friend Real operator-(Real a) { return Real(-a.v_); }

    friend bool operator==(Real a, Real b) { return a.v_ == b.v_; }
    friend auto operator<=>(Real a, Real b) { return a.v_ <=> b.v_; }

    static Real Checked(double v)
    {
        if (std::isnan(v)) throw ArithmeticFault{Fault::Invalid};
        if (std::isinf(v)) throw ArithmeticFault{Fault::Overflow};
        return Real(v);
    }

private:
    double v_;
};

inline Real Sqrt(Real x)
{
    if (x.value() < 0.0) throw ArithmeticFault{Fault::NegativeRoot};
    return Real::Checked(std::sqrt(x.value()));
}
inline Real Sin(Real x) { return Real::Checked(std::sin(x.value())); }
inline Real Cos(Real x) { return Real::Checked(std::cos(x.value())); }
inline Real Atn(Real x) { return Real::Checked(std::atan(x.value())); }

// Storing into a single-precision field: the value is rounded to the nearest
// single, and a value beyond the single range overflows.
inline float ToSingle(Real x)
{
    const float f = static_cast<float>(x.value());
    if (std::isinf(f)) throw ArithmeticFault{Fault::Overflow};
    return f;
}

}  // namespace corvanet
