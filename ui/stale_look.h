#pragma once
// How a box looks when its text comes from an earlier calculation: greyed,
// with a tooltip saying so. The text itself stays: nothing is hidden.
class QLineEdit;

namespace corvanet {

void ShowAsStale(QLineEdit& box, bool stale);

}  // namespace corvanet
