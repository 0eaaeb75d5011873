#pragma once
// Checked double arithmetic. Every operation of the engine goes through
// `Real`, so a division by zero, a square root of a negative number, an
// overflow or an invalid result stops the calculation at the operation that
// produced it, wherever it stands in a formula. The IEEE operations are the
// plain double ones, so the figures are bit for bit those of unchecked code.
#include <cmath>

namespace corvanet {

// The program always checks. The engine benchmark builds the same sources a
// second time without the checks of each operation (the tests of the figure
// itself stay), the yardstick of what the checks cost.
#ifdef CORVANET_UNCHECKED_ARITHMETIC
inline constexpr bool kCheckedArithmetic = false;
#else
inline constexpr bool kCheckedArithmetic = true;
#endif

enum class Fault {
    DivisionByZero,
    NegativeRoot,
    Overflow,
    Invalid,
    // What a failed operation means for the figure, told by the code that
    // knows: the primitives and the adjustment.
    ZeroSide,         // a side of a triangle has zero length
    RightAngle,       // the angle is exactly 90 degrees (cosine exactly 0)
    NoTriangle,       // the sides violate the triangle inequality
    SteepDirection,   // dx vanishes against dy in the azimuth
    NotPositive,      // a measured distance is zero or negative
    NegativeAdjusted, // the adjustment turned a distance zero or negative
};

// Thrown by the arithmetic and the primitives; the calculation turns it into
// the failure of the step that was running.
struct ArithmeticFault {
    Fault fault;
    const char* subject = "";  // what the fault is about, e.g. "S2"
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
        if (kCheckedArithmetic && b.v_ == 0.0) [[unlikely]]
            Throw(Fault::DivisionByZero);
        return Checked(a.v_ / b.v_);
    }
    friend Real operator-(Real a) { return Real(-a.v_); }

    friend bool operator==(Real a, Real b) { return a.v_ == b.v_; }
    friend auto operator<=>(Real a, Real b) { return a.v_ <=> b.v_; }

    static Real Checked(double v)
    {
        // One test on the common path; the kind of fault only when it fails.
        if (kCheckedArithmetic && !std::isfinite(v)) [[unlikely]]
            Throw(std::isnan(v) ? Fault::Invalid : Fault::Overflow);
        return Real(v);
    }

    [[noreturn]] static void Throw(Fault fault, const char* subject = "") { throw ArithmeticFault{fault, subject}; }

private:
    double v_;
};

// Every argument these see is the result of a checked operation, so it is
// finite, and so are their results: only the negative root needs a test.
inline Real Sqrt(Real x)
{
    if (kCheckedArithmetic && x.value() < 0.0) [[unlikely]]
        Real::Throw(Fault::NegativeRoot);
    return Real(std::sqrt(x.value()));
}
inline Real Sin(Real x) { return Real(std::sin(x.value())); }
inline Real Cos(Real x) { return Real(std::cos(x.value())); }
inline Real Atn(Real x) { return Real(std::atan(x.value())); }

// Storing into a single-precision field: the value is rounded to the nearest
// single, and a value beyond the single range overflows.
inline float ToSingle(Real x)
{
    const float f = static_cast<float>(x.value());
    if (kCheckedArithmetic && std::isinf(f)) [[unlikely]]
        Real::Throw(Fault::Overflow);
    return f;
}

}  // namespace corvanet
