#pragma once
// Precision assessment of P: weight reciprocals of its coordinates by the
// rule for a function of adjusted observations, the mean square errors and
// the relative error of the position.
#include "engine/coordinates.h"

namespace corvanet {

enum class Route { A, B, C };

struct PrecisionValues {
    Route route = Route::A;
    double h = 0.0;  // hA, h2 or hC, the height of the route's triangle
    double fx1 = 0.0, fx2 = 0.0, fx3 = 0.0;
    double fy1 = 0.0, fy2 = 0.0, fy3 = 0.0;
    double ffX = 0.0, afX = 0.0;
    double ffY = 0.0, afY = 0.0;
    double Dmin = 0.0;
};

// The route of the known point with the longest adjusted distance; among
// equally long ones the first of A, B, C.
Route ChooseRoute(double s1, double s2, double s3);

// Writes px, py, mx, my, md (shown together) and then m, along the route
// that ChooseRoute takes.
PrecisionValues AssessPrecision(SurveyRecord& record, const AdjustmentValues& adj, const CoordinateValues& coo,
                                ResultSink& sink);

// The same along a given route, to compare the routes on one figure.
PrecisionValues AssessPrecisionByRoute(SurveyRecord& record, const AdjustmentValues& adj,
                                       const CoordinateValues& coo, ResultSink& sink,
                                       Route route);

}  // namespace corvanet
