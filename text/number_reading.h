#pragma once
// Reading a typed line as a number, for the prompts and the command-line tool.
#include <optional>
#include <string_view>

namespace corvanet {

// Why a typed line gives no value.
enum class NumberProblem {
    None,
    NotANumber,  // not the shape of a number
    TooLarge,    // a decimal that rounds to infinity
    TooSmall,    // a decimal that is not zero but rounds to zero
};

struct NumberReading {
    std::optional<double> value;
    NumberProblem problem = NumberProblem::None;  // when there is no value
};

// A line reads as a number when, after surrounding blanks, it is an optional
// sign, digits with an optional point and decimals, and an optional exponent.
// The point is always '.'. Letters, commas, hex, inf and nan are not numbers.
// A decimal that no finite double holds is out of range: beyond the largest
// double, or not zero but below half the smallest subnormal, where it would
// read as zero. Zero itself reads, and so does any value that rounds to a
// subnormal other than zero (1e-310).
NumberReading ReadNumberTelling(std::string_view line);

// The value alone: none for a line that is not a number or is out of range.
std::optional<double> ReadNumber(std::string_view line);

// What is wrong with a line that gives no value, as a message says it after
// the name of the value: "不是一个数值", "超出数值范围（绝对值太大）" …
const char* NumberProblemText(NumberProblem problem);

// What a value prompt says when the line typed gives no value.
const char* NumberWarning(NumberProblem problem);

}  // namespace corvanet
