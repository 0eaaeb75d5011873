#pragma once
// The sketch of a figure (图形), drawn to scale with north up: the known
// points, the legs of the fixed angle, the sides to P, P with its magnified
// error ellipse, a north arrow, a scale bar and the ellipse, the checks and
// the misclosure test in a small table. Where P was not computed, the measured distances as circle
// arcs about A, B and C and the reason. One routine paints it on any device:
// the sketch window and the SVG file (sketch/sketch_svg.h).
#include <string>

#include <optional>

#include "engine/outcome.h"
#include "engine/tolerance.h"

class QPainter;
class QRectF;

namespace corvanet {

struct SketchScene {
    const CalculationOutcome* outcome = nullptr;  // null before the first calculation
    std::string staleNote;  // said above the figure when it is not the last calculation's
    std::optional<MisclosureTest> test = std::nullopt;  // the misclosure against the meter, where there is one
};

// Paints `scene` into `area` of the painter's device, in its units.
void PaintSketch(QPainter& painter, const QRectF& area, const SketchScene& scene);

}  // namespace corvanet
