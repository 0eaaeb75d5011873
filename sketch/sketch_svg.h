#pragma once
// The sketch as an SVG file, for the command line. Apart from the sketch
// itself so that the window, which never writes one, does not load Qt SVG.
#include <QString>
#include <string>

#include "sketch/sketch.h"

namespace corvanet {

// Writes the sketch as an SVG drawing of 800 × 600 units. Needs a
// QGuiApplication for the fonts; installs the program's font substitutions.
// False with the reason (for the user) when the file cannot be written.
bool WriteSketchSvg(const SketchScene& scene, const QString& path, std::string* error);

}  // namespace corvanet
