#pragma once
// Reading a typed line as a number, for the prompts and the command-line tool.
#include <optional>
#include <string_view>

namespace corvanet {

// A line reads as a number when, after surrounding blanks, it is an optional
// sign, digits with an optional point and decimals, and an optional exponent.
// The point is always '.'. Letters, commas, hex, inf, nan and values beyond
// the double range do not read; a value too small for a double reads as zero.
std::optional<double> ReadNumber(std::string_view line);

}  // namespace corvanet
