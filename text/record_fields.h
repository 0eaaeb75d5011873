#pragma once
// Every field of the survey record, one row each: where it is kept, which
// step writes it, which box shows it and how, and the names it goes by in
// the tables and in JSON. The display rules, the entry, the trace, the copy,
// the batch and the JSON writer all read this table, so a new result is one
// row here besides its computation.
#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "engine/failure.h"
#include "engine/result_sink.h"
#include "engine/survey_record.h"
#include "text/calculation_trace.h"

namespace corvanet {

// Where the record keeps a field: exactly one of the three is set.
struct FieldMember {
    double SurveyRecord::*real = nullptr;
    float SurveyRecord::*single = nullptr;
    std::string SurveyRecord::*text = nullptr;

    constexpr FieldMember(double SurveyRecord::*m) : real(m) {}
    constexpr FieldMember(float SurveyRecord::*m) : single(m) {}
    constexpr FieldMember(std::string SurveyRecord::*m) : text(m) {}

    // A number field's value; a single widened exactly.
    double Number(const SurveyRecord& r) const { return real ? r.*real : static_cast<double>(r.*single); }
};

// How a field's box shows it.
enum class BoxRule {
    None,        // no box
    Echo,        // a typed number: a blank, then the pattern (no rounding step before it)
    NameEcho,    // two blanks, then the name
    Rounded,     // rounded half to even, put in the pattern, then the unit
    Reciprocal,  // "1/" and the whole part of the single
};

struct RecordField {
    const char* name;  // the member's name
    FieldMember member;
    // The column of the batch input and of the copy's inputs for a field the
    // user enters; null for the others.
    const char* inputColumn;
    // The step that writes the field; none for an input the calculation
    // leaves alone. S1..S3 are entered and then rewritten by the adjustment.
    std::optional<Step> storedBy;
    std::optional<ResultField> result;  // how the engine names it to the sink
    std::optional<Step> shownAfter;     // the step after which the sink shows it: px to my wait for md
    const char* box;                    // "Text18"; null when no box shows it
    BoxRule rule;
    const char* pattern;       // "0.00"
    const char* unit;          // after a rounded value: "秒", "毫米"
    const char* jsonKey;
    const char* resultColumn;  // of the batch output and the copy; null for none
    ReportValue report;        // the value of the printed report read from this field
};

namespace record_fields_table {
using R = SurveyRecord;
using F = ResultField;
using V = ReportValue;
using enum Step;
using enum BoxRule;
inline constexpr std::nullopt_t entered = std::nullopt;
inline constexpr std::nullopt_t none = std::nullopt;

// In the record's declared order, which is also the order of JSON and of the
// inputs in the batch's header.
inline constexpr RecordField kRows[] = {
    // name      member         input   stored by          sink     shown after        box       rule        pattern   unit    json     result column
    {"PointName", &R::PointName, "name", entered,           none,    none,              "Text11", NameEcho,   "",       "",     "PointName", nullptr, V::PointName},
    {"Xa",        &R::Xa,        "Xa",   entered,           none,    none,              "Text1",  Echo,       "0.000",  "",     "Xa",    nullptr, V::Xa},
    {"Ya",        &R::Ya,        "Ya",   entered,           none,    none,              "Text2",  Echo,       "0.000",  "",     "Ya",    nullptr, V::Ya},
    {"Xb",        &R::Xb,        "Xb",   entered,           none,    none,              "Text3",  Echo,       "0.000",  "",     "Xb",    nullptr, V::Xb},
    {"Yb",        &R::Yb,        "Yb",   entered,           none,    none,              "Text4",  Echo,       "0.000",  "",     "Yb",    nullptr, V::Yb},
    {"Xc",        &R::Xc,        "Xc",   entered,           none,    none,              "Text5",  Echo,       "0.000",  "",     "Xc",    nullptr, V::Xc},
    {"Yc",        &R::Yc,        "Yc",   entered,           none,    none,              "Text6",  Echo,       "0.000",  "",     "Yc",    nullptr, V::Yc},
    {"S1",        &R::S1,        "S1",   AdjustedDistances, none,    none,              "Text7",  Echo,       "0.0000", "",     "S1",    "s1",    V::s1},
    {"S2",        &R::S2,        "S2",   AdjustedDistances, none,    none,              "Text8",  Echo,       "0.0000", "",     "S2",    "s2",    V::s2},
    {"S3",        &R::S3,        "S3",   AdjustedDistances, none,    none,              "Text9",  Echo,       "0.0000", "",     "S3",    "s3",    V::s3},
    {"S1obs",     &R::S1obs,     nullptr, ObservedS1,       none,    none,              nullptr,  None,       "",       "",     "S1obs", nullptr, V::S1obs},
    {"S2obs",     &R::S2obs,     nullptr, ObservedS2,       none,    none,              nullptr,  None,       "",       "",     "S2obs", nullptr, V::S2obs},
    {"S3obs",     &R::S3obs,     nullptr, ObservedS3,       none,    none,              nullptr,  None,       "",       "",     "S3obs", nullptr, V::S3obs},
    {"w",         &R::w,         nullptr, Misclosure,       F::w,    Misclosure,        "Text18", Rounded,    "0.00",   "秒",   "w",     "w",     V::w},
    {"k",         &R::k,         nullptr, Correlate,        none,    none,              nullptr,  None,       "",       "",     "k",     "k",     V::k},
    {"px",        &R::px,        nullptr, WeightReciprocals, F::px,  ErrorMd,           "Text20", Rounded,    "0.0000", "",     "px",    "px",    V::px},
    {"py",        &R::py,        nullptr, WeightReciprocals, F::py,  ErrorMd,           "Text21", Rounded,    "0.0000", "",     "py",    "py",    V::py},
    {"ms",        &R::ms,        nullptr, MeanSquareError,  F::ms,   MeanSquareError,   "Text19", Rounded,    "0.00",   "毫米", "ms",    "ms",    V::ms},
    {"mx",        &R::mx,        nullptr, ErrorMx,          F::mx,   ErrorMd,           "Text22", Rounded,    "0.00",   "毫米", "mx",    "mx",    V::mx},
    {"my",        &R::my,        nullptr, ErrorMy,          F::my,   ErrorMd,           "Text23", Rounded,    "0.00",   "毫米", "my",    "my",    V::my},
    {"md",        &R::md,        nullptr, ErrorMd,          F::md,   ErrorMd,           "Text24", Rounded,    "0.00",   "毫米", "md",    "md",    V::md},
    {"m",         &R::m,         nullptr, RelativeError,    F::m,    RelativeError,     "Text25", Reciprocal, "",       "",     "m",     "m",     V::m},
    {"xp1",       &R::xp1,       nullptr, CoordinateXp1,    F::xp1,  CoordinateXp1,     "Text12", Rounded,    "0.000",  "",     "xp1",   "xp1",   V::xp1},
    {"yp1",       &R::yp1,       nullptr, CoordinateYp1,    F::yp1,  CoordinateYp1,     "Text13", Rounded,    "0.000",  "",     "yp1",   "yp1",   V::yp1},
    {"xp2",       &R::xp2,       nullptr, CoordinateXp2,    F::xp2,  CoordinateXp2,     "Text14", Rounded,    "0.000",  "",     "xp2",   "xp2",   V::xp2},
    {"yp2",       &R::yp2,       nullptr, CoordinateYp2,    F::yp2,  CoordinateYp2,     "Text15", Rounded,    "0.000",  "",     "yp2",   "yp2",   V::yp2},
    {"xp3",       &R::xp3,       nullptr, CoordinateXp3,    F::xp3,  CoordinateXp3,     "Text16", Rounded,    "0.000",  "",     "xp3",   "xp3",   V::xp3},
    {"yp3",       &R::yp3,       nullptr, CoordinateYp3,    F::yp3,  CoordinateYp3,     "Text17", Rounded,    "0.000",  "",     "yp3",   "yp3",   V::yp3},
};
}  // namespace record_fields_table

// The table: one row for each field of SurveyRecord, in its declared order.
inline constexpr auto& kRecordFields = record_fields_table::kRows;

// The row of a field by name, at compile time: an unknown name does not compile.
consteval const RecordField& FieldNamed(std::string_view name)
{
    for (const RecordField& f : kRecordFields)
        if (name == f.name) return f;
    throw "no such field";
}

// The row that the printed report's `value` is read from.
const RecordField& FieldOf(ReportValue value);

inline constexpr std::size_t kResultFieldCount = static_cast<std::size_t>(ResultField::m) + 1;

// The row of each result the sink names, by ResultField.
inline constexpr std::array<const RecordField*, kResultFieldCount> kResultFieldRows = [] {
    std::array<const RecordField*, kResultFieldCount> rows{};
    for (const RecordField& f : kRecordFields)
        if (f.result) rows[static_cast<std::size_t>(*f.result)] = &f;
    return rows;
}();

// The rows that name a column in `column` (a member such as resultColumn), in
// the record's order.
template <const char* const RecordField::*column>
constexpr auto RowsWithColumn()
{
    constexpr std::size_t n = std::count_if(std::begin(kRecordFields), std::end(kRecordFields),
                                            [](const RecordField& f) { return f.*column != nullptr; });
    std::array<const RecordField*, n> rows{};
    std::size_t i = 0;
    for (const RecordField& f : kRecordFields)
        if (f.*column) rows[i++] = &f;
    return rows;
}

// The columns of the results in the batch output and the copy, between the
// status and the failure's step: in the order the calculation stores them,
// fields stored by one step in the record's order.
inline constexpr auto kResultColumns = [] {
    auto columns = RowsWithColumn<&RecordField::resultColumn>();
    for (std::size_t j = 1; j < columns.size(); ++j)  // an insertion sort: stable, and usable here
        for (std::size_t k = j; k > 0 && *columns[k]->storedBy < *columns[k - 1]->storedBy; --k)
            std::swap(columns[k], columns[k - 1]);
    return columns;
}();

// The fields the user enters, in the columns of the batch input: name first.
inline constexpr auto kInputColumns = RowsWithColumn<&RecordField::inputColumn>();

// The input columns' names joined by commas, as the batch's header.
inline constexpr auto kInputHeader = [] {
    constexpr std::size_t size = [] {
        std::size_t n = 0;
        for (const RecordField* f : kInputColumns) n += std::string_view(f->inputColumn).size() + 1;
        return n;
    }();
    std::array<char, size> text{};  // the last comma's place holds the terminating zero
    std::size_t i = 0;
    for (const RecordField* f : kInputColumns) {
        if (i) text[i++] = ',';
        for (const char* c = f->inputColumn; *c; ++c) text[i++] = *c;
    }
    return text;
}();

// The text of `field`'s box for the value `record` holds; empty for a field
// without a box.
std::string BoxText(const RecordField& field, const SurveyRecord& record);

}  // namespace corvanet
