// libFuzzer target: one whole calculation on arbitrary inputs, then every
// number-to-text rule on every field of the record, with the invariants that
// must hold whatever the figure.
//
// Input: ten doubles, 80 bytes little-endian (short inputs are padded with
// zero bytes): Xa, Ya, Xb, Yb, Xc, Yc, S1, S2, S3 and a loose value that only
// the text rules see. The bytes after them are lines: the first is the point
// name, every line is also read as a typed number.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "engine/calculation.h"
#include "text/display_rules.h"
#include "text/number_reading.h"
#include "text/number_text.h"
#include "text/record_fields.h"

using namespace corvanet;

namespace {

double g_inputs[10];  // of the input being run, for the report of a broken invariant

[[noreturn]] void Broken(const char* what, const char* detail)
{
    std::fprintf(stderr, "\n*** invariant broken: %s %s\n*** inputs (Xa Ya Xb Yb Xc Yc S1 S2 S3 loose):\n", what,
                 detail);
    for (double v : g_inputs)
        std::fprintf(stderr, "    0x%016llx  %.17g\n", static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(v)),
                     v);
    __builtin_trap();
}

#define CHECK(cond, detail)                                      \
    do {                                                         \
        if (!(cond)) Broken(#cond, std::string(detail).c_str()); \
    } while (0)

template <class T>
bool SameBits(T a, T b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The step of the calculation that writes a field, from the table of the
// record's fields. The inputs, and the single copies of the distances that
// the entry takes (here before the calculation), are never written by it.
std::optional<Step> WrittenAt(const RecordField& f)
{
    return f.storedBy && *f.storedBy >= Step::DirectionBA ? f.storedBy : std::nullopt;
}

constexpr int kResultFields = static_cast<int>(kResultFieldCount);
constexpr std::string_view kPatterns[] = {"0.00", "0.000", "0.0000", "0.00000", "0.00000000"};
int Decimals(std::string_view pattern) { return static_cast<int>(pattern.size() - pattern.find('.') - 1); }

// The shape of a pattern's text: optional '-', whole digits without a
// leading zero, '.', exactly `decimals` digits; no minus on a shown zero.
bool HasPatternShape(std::string_view s, int decimals)
{
    const bool negative = !s.empty() && s.front() == '-';
    if (negative) s.remove_prefix(1);
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos || point == 0 || s.size() - point - 1 != static_cast<std::size_t>(decimals))
        return false;
    if (point > 1 && s.front() == '0') return false;
    bool nonZero = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i == point) continue;
        if (s[i] < '0' || s[i] > '9') return false;
        nonZero = nonZero || s[i] != '0';
    }
    return nonZero || !negative;
}

// A single as the platform writes it: "-"? then digits ("." digits)?, or
// d ("." digits)? "E" sign and two or more digits; no trailing zero in a fraction.
bool HasSingleShape(std::string_view s)
{
    if (!s.empty() && s.front() == '-') s.remove_prefix(1);
    const std::size_t e = s.find('E');
    const std::string_view mantissa = s.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    if (whole.empty() || whole.find_first_not_of("0123456789") != std::string_view::npos) return false;
    if (whole.size() > 1 && whole.front() == '0') return false;
    if (point != std::string_view::npos) {
        const std::string_view fraction = mantissa.substr(point + 1);
        if (fraction.empty() || fraction.find_first_not_of("0123456789") != std::string_view::npos) return false;
        if (fraction.back() == '0') return false;
    }
    if (e == std::string_view::npos) return true;
    const std::string_view exp = s.substr(e + 1);
    return whole.size() == 1 && whole != "0" && exp.size() >= 3 && (exp[0] == '+' || exp[0] == '-') &&
           exp.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

double Pow10(int n) { return std::pow(10.0, n); }

void CheckPatternText(double x, int decimals, const std::string& text, double relative)
{
    if (!std::isfinite(x)) return;
    CHECK(HasPatternShape(text, decimals), text);
    // Beyond 1e300 the 15-digit decimal may round past the largest double.
    if (std::abs(x) > 1e300) return;
    const std::optional<double> back = ReadNumber(text);
    CHECK(back.has_value(), text);
    const double tolerance = 0.5 * Pow10(-decimals) * (1 + 1e-9) + relative * std::abs(x);
    CHECK(std::abs(*back - x) <= tolerance, text);
}

template <class T>
void CheckRounding(T x)
{
    constexpr double relative = sizeof(T) == sizeof(float) ? 1.2e-7 : 4.5e-16;
    for (int d = 0; d <= 8; ++d) {
        const T r = RoundHalfEven(x, d);
        if (!std::isfinite(x)) continue;
        CHECK(std::isfinite(r), std::to_string(d));
        CHECK(RoundHalfEven(static_cast<T>(-x), d) == -r, std::to_string(d));
        const double off = std::abs(static_cast<double>(r) - static_cast<double>(x));
        CHECK(off <= 0.5 * Pow10(-d) * (1 + 1e-9) + relative * std::abs(static_cast<double>(x)), std::to_string(d));
    }
}

void CheckSingleText(float f)
{
    const std::string text = SingleText(f);
    CHECK(!text.empty(), "");
    const std::string printed = PrintNumberText(f);
    CHECK(printed.size() >= text.size() + 1 && printed.back() == ' ', printed);
    if (!std::isfinite(f)) return;
    CHECK(HasSingleShape(text), text);
    CHECK(printed == (f < 0 ? "" : " ") + text + " ", printed);
    const std::optional<double> back = ReadNumber(text);
    CHECK(back.has_value(), text);
    CHECK(std::abs(*back - f) <= 5.000001e-7 * std::abs(f), text);  // seven significant digits
}

// A pattern starts from the nearest decimal of 15 significant digits for a
// double and of 7 for a single.
void CheckPatterns(double x)
{
    for (std::string_view p : kPatterns) CheckPatternText(x, Decimals(p), FormatPattern(x, p), 5.5e-15);
}
void CheckPatterns(float x)
{
    for (std::string_view p : kPatterns) CheckPatternText(x, Decimals(p), FormatPattern(x, p), 5.5e-7);
}

void CheckTextRules(double x)
{
    CheckPatterns(x);
    CheckPatterns(static_cast<float>(x));
    CheckRounding(x);
    CheckRounding(static_cast<float>(x));
    CheckSingleText(static_cast<float>(x));
    // A typed number is echoed in its pattern with no rounding step before it.
    SurveyRecord typed;
    for (const RecordField& f : kRecordFields) {
        if (f.rule != BoxRule::Echo) continue;
        typed.*f.member.real = x;
        CHECK(BoxText(f, typed) == " " + FormatPattern(x, f.pattern), f.name);
    }
}

// A typed line: what reads is finite, and blanks around it change nothing.
void CheckReading(std::string_view line)
{
    const std::optional<double> v = ReadNumber(line);
    if (v) CHECK(std::isfinite(*v), std::string(line));
    const std::optional<double> padded = ReadNumber(" \t" + std::string(line) + " ");
    CHECK(v.has_value() == padded.has_value() && (!v || SameBits(*v, *padded)), std::string(line));
}

// The value a user typing `x` in full gets from the prompt, or none when the
// prompt would not accept it (inf and nan have no typed form that reads).
std::optional<double> Typed(double x)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::optional<double> v = ReadNumber(text);
    if (std::isfinite(x)) CHECK(v && SameBits(*v, x), text);  // every finite double reads back exactly
    else CHECK(!v, text);
    return v;
}

class CheckingSink final : public ResultSink {
public:
    void ShowResult(ResultField field, const SurveyRecord& record) override
    {
        const int i = static_cast<int>(field);
        CHECK(i > last_, ResultBoxName(field));  // each box once, in the order of the table
        last_ = i;
        text[i] = ResultText(field, record);
        CHECK(!text[i].empty(), ResultBoxName(field));
        shown[i] = true;
    }
    bool shown[kResultFields] = {};
    std::string text[kResultFields];

private:
    int last_ = -1;
};

void CheckResultText(ResultField field, const SurveyRecord& r)
{
    const RecordField& row = *kResultFieldRows[static_cast<std::size_t>(field)];
    const std::string text = ResultText(field, r);
    std::string_view s = text;
    if (row.rule == BoxRule::Reciprocal) {
        CHECK(s.substr(0, 2) == "1/" && HasSingleShape(s.substr(2)), text);
        return;
    }
    const std::string_view unit = row.unit;
    CHECK(s.size() > unit.size() && s.substr(s.size() - unit.size()) == unit, text);
    s.remove_suffix(unit.size());
    CHECK(HasPatternShape(s, Decimals(row.pattern)), text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint8_t raw[80] = {};
    std::memcpy(raw, data, std::min<std::size_t>(size, sizeof raw));
    std::memcpy(g_inputs, raw, sizeof raw);
    const std::string_view tail(reinterpret_cast<const char*>(data) + std::min<std::size_t>(size, 80),
                                size > 80 ? size - 80 : 0);

    CheckReading(std::string_view(reinterpret_cast<const char*>(data), size));
    for (std::size_t start = 0; start <= tail.size();) {
        const std::size_t end = std::min(tail.find('\n', start), tail.size());
        CheckReading(tail.substr(start, end - start));
        start = end + 1;
    }
    CheckTextRules(g_inputs[9]);

    // The record as the previous calculation left it: a distinct value in
    // every result field, so that a field the calculation does not reach
    // is seen to keep it.
    SurveyRecord r;
    int n = 0;
    for (const RecordField& f : kRecordFields) {
        if (f.member.real) r.*f.member.real = -111.125 * ++n;
        if (f.member.single) r.*f.member.single = -111.125f * ++n;
    }

    // The ten entries, as the prompts take them.
    double* entries[] = {&r.Xa, &r.Ya, &r.Xb, &r.Yb, &r.Xc, &r.Yc, &r.S1, &r.S2, &r.S3};
    for (int i = 0; i < 9; ++i) {
        const std::optional<double> v = Typed(g_inputs[i]);
        if (!v) return -1;  // the prompt asks again; not a figure the engine can see
        *entries[i] = *v;
    }
    r.PointName = std::string(tail.substr(0, tail.find('\n')));
    CHECK(BoxText(FieldNamed("PointName"), r) == "  " + r.PointName, "");
    r.S1obs = static_cast<float>(r.S1);
    r.S2obs = static_cast<float>(r.S2);
    r.S3obs = static_cast<float>(r.S3);

    const SurveyRecord before = r;
    CheckingSink sink;
    std::optional<CalculationFailure> failure;
    try {
        failure = TryCalculate(r, sink);
    } catch (...) {
        Broken("the calculation stopped with something other than a CalculationFailure", "");
    }

    if (failure) {
        CHECK(!failure->message().empty(), StepId(failure->step()));
        CHECK(std::strlen(StepId(failure->step())) > 0, "");
        CHECK(std::strlen(StepText(failure->step())) > 0, StepId(failure->step()));
        CHECK(std::strlen(failure->what()) > 0, StepId(failure->step()));
    }
    const auto reached = [&](std::optional<Step> at) { return at && (!failure || *at <= failure->step()); };
    const char* stop = failure ? StepId(failure->step()) : "complete";
    for (const RecordField& f : kRecordFields) {
        const std::string where = std::string(f.name) + " at " + stop;
        if (f.member.real) {
            const double v = r.*f.member.real;
            if (!reached(WrittenAt(f))) CHECK(SameBits(v, before.*f.member.real), where);
            CHECK(std::isfinite(v), where);
        } else if (f.member.single) {
            const float v = r.*f.member.single;
            if (!reached(WrittenAt(f))) CHECK(SameBits(v, before.*f.member.single), where);
            if (WrittenAt(f)) CHECK(std::isfinite(v), where);
        }
    }
    CHECK(r.PointName == before.PointName, "");
    for (int i = 0; i < kResultFields; ++i) {
        const ResultField field = static_cast<ResultField>(i);
        const bool expected = !failure || *kResultFieldRows[i]->shownAfter < failure->step();
        CHECK(sink.shown[i] == expected, std::string(ResultBoxName(field)) + " at " + stop);
        // No field changes after its box is written.
        if (sink.shown[i]) CHECK(sink.text[i] == ResultText(field, r), ResultBoxName(field));
    }

    // The same figure again gives the same record, bit for bit.
    SurveyRecord again = before;
    NullSink quiet;
    const std::optional<CalculationFailure> secondFailure = TryCalculate(again, quiet);
    CHECK(secondFailure.has_value() == failure.has_value() &&
              (!failure || secondFailure->step() == failure->step()),
          stop);
    for (const RecordField& f : kRecordFields) {
        if (f.member.real) CHECK(SameBits(again.*f.member.real, r.*f.member.real), f.name);
        if (f.member.single) CHECK(SameBits(again.*f.member.single, r.*f.member.single), f.name);
    }

    // Every text rule on every field, as the window, the report and the
    // command-line tool would write the record now.
    for (const RecordField& f : kRecordFields) {
        if (f.member.real) CheckTextRules(r.*f.member.real);
        if (f.member.single) {
            const float v = r.*f.member.single;
            CheckPatterns(v);
            CheckRounding(v);
            CheckSingleText(v);
        }
    }
    for (int i = 0; i < kResultFields; ++i) CheckResultText(static_cast<ResultField>(i), r);
    return 0;
}
