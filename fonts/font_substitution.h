#pragma once
#include <QStringList>
#include <string_view>

namespace corvanet {

// The installed faces that draw a face the window names ("宋体", "MS Sans
// Serif", "Microsoft Sans Serif"), in the order Qt tries them for each
// character: the Western faces take their Chinese from the Song face. Named
// directly, they spare fontconfig a fallback search for each unknown name.
QStringList InstalledFamilies(std::string_view namedFace);

// The faces the program names ("宋体", "MS Sans Serif", "Microsoft Sans
// Serif") are not on Linux; map them to installed faces so Chinese never
// shows as boxes. Call once after the QGuiApplication exists.
void InstallFontSubstitutions();

}  // namespace corvanet
