#pragma once
// The engine's constants. Pi is deliberately the ten-decimal value the
// worked figures were computed with, not the full-precision one: every
// arctangent comes out larger by the factor 1.000000000028582, and the
// published results depend on it.
#include <bit>
#include <cstdint>

namespace corvanet {

inline constexpr double Pi = 3.1415926535;
// The double quotient of the ten-decimal Pi and 180, rounded as at run time.
inline constexpr double DegToRad = Pi / 180.0;
// Seconds of arc per radian, a whole number; it enters the formulas as 206265.0.
inline constexpr std::int32_t Rho = 206265;

static_assert(std::bit_cast<std::uint64_t>(Pi) == 0x400921FB54411744u);

}  // namespace corvanet
