#pragma once
// Text as surveyors' files bring it: UTF-8, with or without a byte-order
// mark, or GB18030/GBK from Chinese Windows spreadsheets and older survey
// software. Everything comes out as valid UTF-8; what the program writes for
// those programs goes back to GB18030.
#include <string>
#include <string_view>

#include "text/utf8.h"  // IsUtf8

namespace corvanet {

// `utf8` in GB18030, which holds every character; a byte that is not UTF-8
// is written as U+FFFD.
std::string ToGb18030(std::string_view utf8);

// `bytes` without a leading UTF-8 byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view bytes);

// Decodes the fields of one input. A field that is valid UTF-8 is taken as
// it is; one that is not is read as GB18030, and what neither decodes
// becomes U+FFFD. Once a field has shown the input to be GB18030, later
// fields that read as both are taken as GB18030: a short GBK name may
// happen to be valid UTF-8.
class TextDecoder {
public:
    TextDecoder() = default;
    // For an input read whole before its fields: one that is not valid
    // UTF-8 throughout and has no byte-order mark is taken as GB18030 from
    // its first field on (with the mark it is UTF-8 with a stray byte).
    static TextDecoder ForWhole(std::string_view input);

    std::string Decode(std::string_view bytes);

private:
    bool gb18030_ = false;
};

}  // namespace corvanet
