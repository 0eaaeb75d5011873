#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "engine/primitives.h"

namespace corvanet {
namespace {

TEST(Constants, TenDecimalPiAndItsDegreeFactor)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(Pi), 0x400921FB54411744u);
    EXPECT_EQ(DegToRad, 0.017453292519444445);
    // The quotient worked out at compile time is the one the processor gives.
    volatile double pi = Pi;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(DegToRad), std::bit_cast<std::uint64_t>(pi / 180.0));
    static_assert(std::is_same_v<decltype(Rho), const std::int32_t>);
    EXPECT_EQ(Rho, 206265);
}

double Az(double dx, double dy) { return Azimuth(dx, dy, Distance(dx, dy)).value(); }

TEST(Azimuth, AxisDirectionsAreExact)
{
    EXPECT_EQ(Az(0, 5), 90.0);
    EXPECT_EQ(Az(0, -5), 270.0);
    EXPECT_EQ(Az(0, 0), 270.0);  // coincident points
    EXPECT_EQ(Az(-3, 0), 180.0);
    EXPECT_EQ(Az(3, 0), 0.0);
}

TEST(Azimuth, DyAHairBelowZeroEastOfNorthGivesExactly360)
{
    // The arctangent's tiny negative angle is lost when 360 is added: the
    // range of F2 is [0, 360], not [0, 360).
    EXPECT_EQ(Az(1, -1e-300), 360.0);
    EXPECT_EQ(Az(1000, -1e-14), 360.0);
    EXPECT_LT(Az(1000, -1e-10), 360.0);
}

TEST(Azimuth, QuadrantsCarryTheTenDecimalPi)
{
    EXPECT_DOUBLE_EQ(Az(1, 1), 45.00000000128619);
    EXPECT_DOUBLE_EQ(Az(-1, 1), 134.9999999987138);
    EXPECT_DOUBLE_EQ(Az(-1, -1), 225.0000000012862);
    EXPECT_DOUBLE_EQ(Az(1, -1), 314.9999999987138);
    EXPECT_DOUBLE_EQ(Az(3, 4), 53.13010235567456);
    EXPECT_DOUBLE_EQ(Az(-3, 4), 126.86989764432545);
}

TEST(Azimuth, DirectionTooSteepForTheArcsineFails)
{
    // dx² vanishes against dy²: t is 1 and 1 − t² is zero.
    try {
        Az(1e-10, 1e10);
        FAIL() << "expected a fault";
    } catch (const ArithmeticFault& f) {
        EXPECT_EQ(f.fault, Fault::SteepDirection);
    }
}

TEST(TriangleAngle, LawOfCosinesThroughTheArctangent)
{
    EXPECT_DOUBLE_EQ(TriangleAngle(4, 5, 3).value(), 36.86989764689783);
    EXPECT_DOUBLE_EQ(TriangleAngle(1, 1, std::sqrt(3.0)).value(), 119.99999999828506);
    EXPECT_DOUBLE_EQ(TriangleAngle(1, 1, 1).value(), 60.000000001714916);
    EXPECT_EQ(TriangleAngle(1, 1, 0).value(), 0.0);    // c = 1
    EXPECT_EQ(TriangleAngle(1, 1, 2).value(), 180.0);  // c = −1
}

Fault TriangleFault(double p, double q, double r)
{
    try {
        TriangleAngle(p, q, r);
    } catch (const ArithmeticFault& f) {
        return f.fault;
    }
    ADD_FAILURE() << "expected a fault";
    return Fault::Invalid;
}

TEST(TriangleAngle, DegenerateTrianglesFail)
{
    EXPECT_EQ(TriangleFault(3, 4, 5), Fault::RightAngle);
    EXPECT_EQ(TriangleFault(1, 1, 3), Fault::NoTriangle);
    EXPECT_EQ(TriangleFault(0, 1, 1), Fault::ZeroSide);
    EXPECT_EQ(TriangleFault(1e200, 1e200, 1), Fault::Overflow);
}

TEST(CheckedReal, EveryOperationIsChecked)
{
    auto fault = [](auto f) {
        try {
            f();
        } catch (const ArithmeticFault& e) {
            return e.fault;
        }
        return Fault::Invalid;
    };
    EXPECT_EQ(fault([] { return Real(1) / 0.0; }), Fault::DivisionByZero);
    EXPECT_EQ(fault([] { return Real(0) / 0.0; }), Fault::DivisionByZero);
    EXPECT_EQ(fault([] { return Sqrt(-1e-300); }), Fault::NegativeRoot);
    EXPECT_EQ(fault([] { return Real(1e200) * 1e200; }), Fault::Overflow);
    // An overflow in the middle of a formula is not hidden by what follows.
    EXPECT_EQ(fault([] { return 1.0 / (Real(1e200) * 1e200); }), Fault::Overflow);
    EXPECT_EQ(fault([] { return ToSingle(1e39); }), Fault::Overflow);
    EXPECT_EQ(ToSingle(1e-50), 0.0f);  // underflow is no failure
}

}  // namespace
}  // namespace corvanet
