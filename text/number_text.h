#pragma once
// Number-to-text rules shared by the window, the report and the command-line
// tool. Pure functions; the decimal point is always '.', whatever the locale.
#include <cstddef>
#include <string>
#include <string_view>

namespace corvanet {

// A value in a digit pattern "0.00", "0.000", "0.0000", "0.00000",
// "0.00000000": first the nearest decimal of 15 significant digits (7 for a
// single), then rounded to the pattern's decimals half away from zero.
// A negative value whose shown digits are all zero shows no minus sign.
std::string FormatPattern(double value, std::string_view pattern);
std::string FormatPattern(float value, std::string_view pattern);

// `value` rounded half to even to the pattern's decimals first, then put in
// the pattern: the rule of the result boxes and of the report's rounded lines.
std::string FormatRounded(double value, std::string_view pattern);
std::string FormatRounded(float value, std::string_view pattern);

// `value` rounded to `decimals` decimals, exact halves to the even neighbour.
// The single version forms the scaled product in double precision.
double RoundHalfEven(double value, int decimals);
float RoundHalfEven(float value, int decimals);

// A single as the platform writes it: at most 7 significant digits, no
// leading blank, exponent form from 10 000 000 on (1.234568E+07, 1E+07).
std::string SingleText(float value);

// The number item of a printed line: a blank in place of the sign of a value
// that is not negative, the single's text, then one blank.
std::string PrintNumberText(float value);

// The longest shortest text of a double ("-2.2250738585072014e-308"), and
// the room WriteShortestText needs after `out`: it moves fixed-size blocks,
// so bytes past the text may be overwritten.
inline constexpr std::size_t kShortestTextLength = 24;
inline constexpr std::size_t kShortestTextRoom = 48;

// The shortest text that reads back as `value`, byte for byte as
// std::to_chars(first, last, value) writes it (fixed or scientific,
// whichever is shorter; "inf", "-nan"), written at `out`. Returns the end of
// the text. Faster than std::to_chars here: the batch writes 25 of these a
// figure.
char* WriteShortestText(char* out, double value);

}  // namespace corvanet
