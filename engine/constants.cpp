#include "engine/constants.h"

namespace corvanet {

Constants SetUpConstants()
{
    Constants c{};
    c.Pi = 3.1415926535;  // bit pattern 0x400921FB54411744
    c.Rho = 206265;
    c.DegToRad = c.Pi / 180.0;
    return c;
}

}  // namespace corvanet
