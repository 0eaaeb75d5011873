#pragma once
// Twips to pixels, the one place where the layout's unit meets the screen:
// 1440 twips to the inch at the screen's logical DPI (15 twips a pixel at 96).
#include <cmath>

namespace corvanet {

struct TwipScale {
    double dpiX = 96.0;
    double dpiY = 96.0;

    int X(int twips) const { return static_cast<int>(std::lround(twips * dpiX / 1440.0)); }
    int Y(int twips) const { return static_cast<int>(std::lround(twips * dpiY / 1440.0)); }
};

}  // namespace corvanet
