#pragma once
// The sketch as an SVG file, for the command line. Apart from the sketch
// itself so that the window, which never writes one, does not load Qt SVG.
#include <QString>
#include <string>

#include "sketch/sketch.h"

namespace corvanet {

// The sketch as the bytes of an SVG drawing of 800 × 600 units. Needs a
// QGuiApplication for the fonts; installs the program's font substitutions.
// False with the reason (for the user) when it cannot be drawn.
bool SketchSvgBytes(const SketchScene& scene, std::string* svg, std::string* error);

// Writes that drawing to the file `path` (the name as the file system has
// it, bytes that need not be UTF-8), whole or not at all (see
// WriteWholeFile). False with the reason when it cannot be written.
bool WriteSketchSvg(const SketchScene& scene, const std::string& path, std::string* error);

// The same for a name from Qt (QFile::encodeName gives its bytes).
bool WriteSketchSvg(const SketchScene& scene, const QString& path, std::string* error);

}  // namespace corvanet
