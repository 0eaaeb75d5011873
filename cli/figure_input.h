#pragma once
// The ten answers of one figure, as the prompts would take them, read from
// lines of text: Xa, Ya, Xb, Yb, Xc, Yc, point name, S1, S2, S3.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "cli/byte_stream.h"
#include "engine/survey_record.h"
#include "text/text_decoding.h"

namespace corvanet {

struct InputError {
    long line;  // 1-based
    std::string message;  // valid UTF-8, control characters escaped
};

// The longest line a figure's input may have.
constexpr std::size_t kMaxInputLine = std::size_t(32) << 20;

// The coordinates of the known point of that name, or none.
struct NamedPoint {
    double x = 0.0;
    double y = 0.0;
};
using KnownPointLookup = std::function<std::optional<NamedPoint>(const std::string& name)>;

// A, B and C given by the names of known points.
struct FigureNames {
    const KnownPointLookup& lookup;
    // Every X field of A, B and C is a name, even one that reads as a
    // number, and the Y fields are not read. Otherwise a name stands in an X
    // field that is not a number, and the Y after it, when empty, is the
    // point's Y.
    bool xIsName = false;
    // The names A, B and C were taken by: a name only where both
    // coordinates are the point's.
    std::array<std::string, 3> picked = {};
};

// A fresh record with the inputs stored, or what is wrong with the input:
// exactly ten lines (blank lines may follow), the first may begin with a
// byte-order mark. With `names`, Xa, Xb and Xc may be known points' names.
std::variant<SurveyRecord, InputError> ReadFigure(LineReader& in, FigureNames* names = nullptr);

// The same from ten fields already split (the point name as the 7th), the
// first on line `firstLine`; the name is decoded by `decoder`.
std::variant<SurveyRecord, InputError> FigureFromFields(const std::string_view (&fields)[10], TextDecoder& decoder,
                                                        long firstLine = 1, FigureNames* names = nullptr);

}  // namespace corvanet
