#pragma once
// The ten answers of one figure, as the prompts would take them, read from
// lines of text: Xa, Ya, Xb, Yb, Xc, Yc, point name, S1, S2, S3.
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

// A fresh record with the inputs stored, or what is wrong with the input:
// exactly ten lines (blank lines may follow), the first may begin with a
// byte-order mark.
std::variant<SurveyRecord, InputError> ReadFigure(LineReader& in);

// The same from ten fields already split (the point name as the 7th), the
// first on line `firstLine`; the name is decoded by `decoder`.
std::variant<SurveyRecord, InputError> FigureFromFields(const std::string_view (&fields)[10], TextDecoder& decoder,
                                                        long firstLine = 1);

}  // namespace corvanet
