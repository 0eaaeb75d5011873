#pragma once
// Error ellipse of P: the cofactor Qxy of its two coordinates, taken from the
// same route's derivatives that gave px and py, and the semi-axes and the
// azimuth of the major axis that follow from px, py and Qxy.
#include <optional>

#include "engine/calculation.h"

namespace corvanet {

// Each figure is absent where the arithmetic has no value for it.
struct ErrorEllipse {
    std::optional<double> Qxy;   // cofactor of X and Y of P
    std::optional<double> E;     // major semi-axis, mm
    std::optional<double> F;     // minor semi-axis, mm
    std::optional<double> phiE;  // azimuth of the major semi-axis, degrees in [0, 180)
};

// From a complete calculation: `record` as it left it, `values` as it returned
// them. Never throws.
ErrorEllipse ErrorEllipseOf(const SurveyRecord& record, const CalculationValues& values);

}  // namespace corvanet
