#include "text/record_fields.h"

#include <cmath>

#include "text/number_text.h"

namespace corvanet {
namespace {

// How many members an aggregate has: the most initialisers it takes.
struct AnyValue {
    template <class T>
    operator T() const;
};
template <class T, class... Given>
consteval std::size_t MemberCount()
{
    if constexpr (requires { T{Given{}..., AnyValue{}}; })
        return MemberCount<T, Given..., AnyValue>();
    else
        return sizeof...(Given);
}
static_assert(MemberCount<SurveyRecord>() == std::size(kRecordFields),
              "every field of SurveyRecord needs its row in kRecordFields");

// Counted over the rows rather than read through kResultFieldRows: GCC's
// UndefinedBehaviorSanitizer makes a row's address no constant to test.
constexpr bool EveryResultHasItsRow()
{
    for (std::size_t field = 0; field < kResultFieldCount; ++field) {
        int rows = 0;
        for (const RecordField& f : kRecordFields)
            if (f.result && static_cast<std::size_t>(*f.result) == field && f.box && f.storedBy && f.shownAfter) ++rows;
        if (rows != 1) return false;
    }
    return true;
}
static_assert(EveryResultHasItsRow(), "each ResultField needs one row with its box and steps");

constexpr bool StoredResultsHaveTheirStep()
{
    for (const RecordField* f : kResultColumns)
        if (!f->storedBy) return false;
    return true;
}
static_assert(StoredResultsHaveTheirStep(), "a result column is empty until the step that stores it has run");

}  // namespace

const RecordField& FieldOf(ReportValue value)
{
    for (const RecordField& f : kRecordFields)
        if (f.report == value) return f;
    return kRecordFields[0];  // every ReportValue has its row (tested)
}

std::string BoxText(const RecordField& field, const SurveyRecord& r)
{
    const FieldMember& m = field.member;
    switch (field.rule) {
    case BoxRule::None: return {};
    case BoxRule::NameEcho: return "  " + r.*m.text;
    case BoxRule::Echo:
        return " " + (m.real ? FormatPattern(r.*m.real, field.pattern) : FormatPattern(r.*m.single, field.pattern));
    case BoxRule::Rounded:
        return (m.real ? FormatRounded(r.*m.real, field.pattern) : FormatRounded(r.*m.single, field.pattern)) +
               field.unit;
    case BoxRule::Reciprocal: return "1/" + SingleText(std::trunc(r.*m.single));
    }
    return {};
}

}  // namespace corvanet
