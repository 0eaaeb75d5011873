#pragma once
// The controls of the main window as the design lists them: one row per
// control, positions and sizes in twips from the top-left of the client area.
// The window reads these tables in one loop; a change of layout is a change
// of a row here.
#include <span>

namespace corvanet {

struct Rgb {
    int r, g, b;
};

inline constexpr const char* kWindowCaption = "Corvanet";
inline constexpr Rgb kWindowBack{255, 255, 192};  // light yellow, labels too
inline constexpr Rgb kButtonCyan{192, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};

// The layout reaches to the right edge of Label47 and the bottom of the
// buttons; the window opens a little larger than that.
inline constexpr int kLayoutRight = 11775;
inline constexpr int kLayoutBottom = 9855;
inline constexpr int kLayoutMargin = 240;

enum class ControlKind { Label, Text, Button };

// Every face is bold. Default means the face of the control's kind:
// "MS Sans Serif" 8.25 pt for labels and buttons, "宋体" 9 pt for text fields.
enum class Face { Default, Window, Song10_5, Song15, MicrosoftSans, SansLarge };

struct FaceSpec {
    const char* family;
    double points;
};

FaceSpec FaceOf(ControlKind kind, Face face);

struct ControlRow {
    ControlKind kind;
    const char* name;
    const char* caption;
    int left, top, width, height;
    Face face = Face::Default;
    bool cyan = false;  // buttons drawn in kButtonCyan instead of the standard colour
};

enum class LineColour { Red, WindowText };  // WindowText: the platform's text colour

struct LineRow {
    const char* name;
    int x1, y1, x2, y2;
    LineColour colour;
    int width;  // pixels
};

std::span<const ControlRow> Controls();
std::span<const LineRow> Lines();
// The controls that take the focus, in the order Tab moves through them.
std::span<const char* const> FocusOrder();

}  // namespace corvanet
