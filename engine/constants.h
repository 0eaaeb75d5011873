#pragma once
#include <cstdint>

namespace corvanet {

// The engine's constants. Pi is deliberately the ten-decimal value the
// worked figures were computed with, not the full-precision one: every
// arctangent comes out larger by the factor 1.000000000028582, and the
// published results depend on it.
struct Constants {
    double Pi;
    std::int32_t Rho;  // seconds of arc per radian; enters the formulas as 206265.0
    double DegToRad;
};

// Set up at the start of each calculation; DegToRad is the double quotient
// of the ten-decimal Pi and 180, worked out here.
Constants SetUpConstants();

}  // namespace corvanet
