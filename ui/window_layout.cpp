#include "ui/window_layout.h"

#include <array>

namespace corvanet {
namespace {

using enum ControlKind;
using enum Face;
using enum LineColour;

// Captions are exact, blanks included: the result labels wrap at their
// blanks into the route and the coordinate.
constexpr ControlRow kControls[] = {
    // title
    {Label, "Label1", "Corvanet", 5520, 2640, 3495, 375, Song15},
    // diagram of the figure: B the vertex, A lower left, C lower right, P below B
    {Label, "Label42", "B", 9480, 600, 255, 375, SansLarge},
    {Label, "Label46", "[Xb,Yb]", 9720, 720, 735, 255, MicrosoftSans},
    {Label, "Label41", "A", 7920, 1800, 255, 375, SansLarge},
    {Label, "Label45", "[Xa,Ya]", 7800, 1560, 735, 255, MicrosoftSans},
    {Label, "Label43", "C", 11280, 1800, 255, 375, SansLarge},
    {Label, "Label47", "[Xc,Yc]", 11040, 1560, 735, 255, MicrosoftSans},
    {Label, "Label44", "P", 9600, 2640, 255, 375, SansLarge},
    {Label, "Label48", "[Xp,Yp]", 9840, 2760, 735, 255, MicrosoftSans},
    {Label, "Label49", "S1", 8760, 2160, 255, 255, MicrosoftSans},
    {Label, "Label50", "S2", 9600, 1800, 255, 255, MicrosoftSans},
    {Label, "Label51", "S3", 10440, 2160, 255, 255, MicrosoftSans},
    // known data
    {Label, "Label2", "( 已 知 数 据 )", 3120, 3360, 1815, 255, Song10_5},
    {Label, "Label3", "A 点纵座标 ", 3480, 3720, 1095, 255},
    {Text, "Text1", "", 3360, 3960, 1335, 270},
    {Label, "Label4", "A 点横座标", 3480, 4320, 975, 255},
    {Text, "Text2", "", 3360, 4560, 1335, 270},
    {Label, "Label5", "B 点座标纵  ", 3480, 4920, 975, 255},
    {Text, "Text3", "", 3360, 5160, 1335, 270},
    {Label, "Label6", "B 点横座标", 3480, 5520, 975, 255},
    {Text, "Text4", "", 3360, 5760, 1335, 270},
    {Label, "Label7", "C 点纵座标 ", 3480, 6120, 975, 255},
    {Text, "Text5", "", 3360, 6360, 1335, 270},
    {Label, "Label8", "C 点横座标 ", 3480, 6720, 975, 255},
    {Text, "Text6", "", 3360, 6960, 1335, 270},
    // observed sides
    {Label, "Label9", "( 观 测 边 长 )", 3120, 7560, 1815, 255, Song10_5},
    {Label, "Label10", " S1", 3120, 7920, 375, 255},
    {Text, "Text7", "", 3480, 7920, 1185, 270},
    {Label, "Label11", " S2", 3120, 8280, 375, 255},
    {Text, "Text8", "", 3480, 8280, 1215, 270},
    {Label, "Label12", " S3", 3120, 8640, 375, 255},
    {Text, "Text9", "", 3480, 8640, 1215, 270},
    // note
    {Text, "Text26", "", 6600, 3480, 3735, 285, Song10_5},
    {Label, "Label32", "控制点顺序说明", 7800, 3840, 1455, 255},
    // precision figures
    {Label, "Label15", "（精 度 评 定 ）", 5040, 4440, 2175, 255, Window},
    {Label, "Label24", "固定角闭合差 ", 7080, 4560, 1215, 255},
    {Label, "Label13", "wb", 6840, 4800, 255, 255, MicrosoftSans},
    {Text, "Text18", "", 7200, 4800, 1095, 270},
    {Label, "Label25", "单位权测边中误差 ", 8640, 4560, 1575, 255},
    {Label, "Label34", "ms", 8520, 4800, 255, 255, Window},
    {Text, "Text19", "", 8880, 4800, 1095, 270},
    {Label, "Label26", "纵座标权倒数 ", 6000, 5160, 1215, 255},
    {Label, "Label35", "px", 5640, 5400, 255, 255},
    {Text, "Text20", "", 5880, 5400, 1455, 270},
    {Label, "Label29", "横座标权倒数", 6000, 5760, 1215, 255},
    {Label, "Label36", "py", 5640, 6000, 255, 255},
    {Text, "Text21", "", 5880, 6000, 1455, 270},
    {Label, "Label27", "纵座标单位权中误差 ", 7680, 5160, 1815, 255},
    {Label, "Label37", " mx", 7680, 5400, 375, 255},
    {Text, "Text22", "", 8040, 5400, 1095, 270},
    {Label, "Label30", "横座标单位权中误差 ", 7680, 5760, 1815, 255},
    {Label, "Label38", " my", 7680, 6000, 375, 255},
    {Text, "Text23", "", 8040, 6000, 1095, 270},
    {Label, "Label28", "单位权点位中误差 ", 9600, 5160, 1575, 255},
    {Label, "Label39", " md", 9600, 5400, 375, 255},
    {Text, "Text24", "", 9960, 5400, 1095, 270},
    {Label, "Label31", "单位权相对中误差 ", 9600, 5760, 1575, 255},
    {Label, "Label40", "1/m", 9600, 6000, 375, 255},
    {Text, "Text25", "", 9960, 6000, 1095, 270},
    // results
    {Label, "Label14", " （平 差 结 果 ）", 5160, 6720, 2295, 255, Window},
    {Label, "Label16", " 待定点点名 ", 7200, 6960, 1095, 255},
    {Text, "Text11", "", 8280, 6960, 1095, 270},
    {Label, "Label17", "   由 A 点推算        待定点纵座标 Xp ", 5040, 7320, 1575, 375},
    {Text, "Text12", "", 6600, 7440, 1335, 270},
    {Label, "Label19", "   由 A 点推算        待定点横座标 Yp", 8160, 7320, 1575, 375},
    {Text, "Text13", "", 9720, 7440, 1335, 270},
    {Label, "Label20", "   由 B 点推算        待定点纵座标 Xp", 5040, 7800, 1575, 375},
    {Text, "Text14", "", 6600, 7920, 1335, 270},
    {Label, "Label21", "   由 B 点推算        待定点横座标 Yp", 8160, 7800, 1575, 375},
    {Text, "Text15", "", 9720, 7920, 1335, 270},
    {Label, "Label22", "   由 C 点推算        待定点纵座标 Xp", 5040, 8280, 1575, 375},
    {Text, "Text16", "", 6600, 8400, 1335, 270},
    {Label, "Label23", "   由 C 点推算        待定点横座标 Yp ", 8160, 8280, 1575, 375},
    {Text, "Text17", "", 9720, 8400, 1335, 270},
    // buttons under the frame
    {Button, "Command1", "计 算", 6000, 9360, 975, 495, Default, true},
    {Button, "Command2", "退出计算", 7320, 9360, 975, 495, Default, true},
    {Button, "Command3", "打 印", 8640, 9360, 975, 495},
};

constexpr LineRow kLines[] = {
    // the fixed angle at B and the three measured sides
    {"Line1", 9720, 960, 8160, 2040, Red, 3},
    {"Line2", 9720, 960, 11280, 2040, Red, 3},
    {"Line3", 9720, 960, 9720, 2640, WindowText, 2},
    {"Line4", 8160, 2040, 9720, 2640, WindowText, 2},
    {"Line5", 11280, 2040, 9720, 2640, WindowText, 2},
    // the frame and its dividers
    {"Line6", 2880, 3240, 11640, 3240, Red, 3},
    {"Line7", 2880, 3240, 2880, 9120, Red, 3},
    {"Line9", 2880, 9120, 11640, 9120, Red, 3},
    {"Line11", 11640, 9120, 11640, 3240, Red, 3},
    {"Line10", 4920, 9120, 4920, 3240, Red, 3},
    {"Line14", 2880, 7320, 4920, 7320, Red, 3},
    {"Line12", 4920, 4200, 11640, 4200, Red, 3},
    {"Line13", 4920, 6480, 11640, 6480, Red, 3},
};

constexpr const char* kFocusOrder[] = {
    "Text1",  "Text2",  "Text3",  "Text4",    "Text5",    "Text6",  "Text7",    "Text8",  "Text9",  "Text11",
    "Text12", "Text13", "Text14", "Text15",   "Text16",   "Text17", "Text18",   "Text19", "Text20", "Text21",
    "Text22", "Text23", "Text24", "Text25",   "Command1", "Command2", "Text26", "Command3",
};

}  // namespace

FaceSpec FaceOf(ControlKind kind, Face face)
{
    switch (face) {
    case Default: return kind == Text ? FaceSpec{"宋体", 9} : FaceSpec{"MS Sans Serif", 8.25};
    case Window: return {"宋体", 12};
    case Song10_5: return {"宋体", 10.5};
    case Song15: return {"宋体", 15};
    case MicrosoftSans: return {"Microsoft Sans Serif", 8.25};
    case SansLarge: return {"MS Sans Serif", 13.5};
    }
    return {"MS Sans Serif", 8.25};
}

std::span<const ControlRow> Controls() { return kControls; }
std::span<const LineRow> Lines() { return kLines; }
std::span<const char* const> FocusOrder() { return kFocusOrder; }

}  // namespace corvanet
