#pragma once

namespace corvanet {

// The faces the program names ("宋体", "MS Sans Serif", "Microsoft Sans
// Serif") are not on Linux; map them to installed faces so Chinese never
// shows as boxes. Call once after the QGuiApplication exists.
void InstallFontSubstitutions();

}  // namespace corvanet
