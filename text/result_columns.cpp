#include "text/result_columns.h"

#include <vector>

#include "text/number_text.h"

namespace corvanet {
namespace {

// One cell of text: no tab or line break may split the row, and a leading
// = + - @ would make a spreadsheet evaluate it.
std::string Cell(std::string_view text)
{
    std::string out;
    if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos) out += '\'';
    for (char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
    return out;
}

}  // namespace

std::string TableNumber(double value)
{
    char buf[kShortestTextRoom];
    return std::string(buf, WriteShortestText(buf, value));
}

std::array<std::optional<double>, kExtraColumns.size()> ExtraColumnValues(const CalculationExtras& extras)
{
    return {extras.ellipse.Qxy, extras.ellipse.E,          extras.ellipse.F,
            extras.ellipse.phiE, extras.checks.wAdjusted, extras.checks.routeSpread};
}

std::array<std::string, kExtraColumns.size()> ExtraColumnTexts(const std::optional<CalculationExtras>& extras)
{
    std::array<std::string, kExtraColumns.size()> texts;
    if (!extras) return texts;
    const auto values = ExtraColumnValues(*extras);
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (values[i]) texts[i] = TableNumber(*values[i]);
    return texts;
}

std::array<std::string, kToleranceColumns.size()> ToleranceColumnTexts(const std::optional<MisclosureTest>& test)
{
    if (!test) return {};
    return {TableNumber(test->mw), TableNumber(test->limit), test->exceeded ? "exceeded" : "pass"};
}

std::string TabSeparatedResults(const CalculationOutcome& o, const std::optional<MisclosureTest>& test,
                                std::string_view note)
{
    std::vector<std::string> header, row;
    for (const RecordField* f : kInputColumns) header.push_back(f->inputColumn);
    header.push_back("status");
    for (const RecordField* c : kResultColumns) header.push_back(c->resultColumn);
    header.push_back("step");
    header.push_back("message");
    for (const char* name : kExtraColumns) header.push_back(name);
    for (const char* name : kToleranceColumns) header.push_back(name);

    const SurveyRecord& in = o.entered;
    for (const RecordField* f : kInputColumns)
        row.push_back(f->member.text ? Cell(in.*f->member.text) : TableNumber(f->member.Number(in)));
    const SurveyRecord& r = o.record;
    row.push_back(o.Complete() ? "ok" : "failed");
    const CalculationFailure* failure = o.failure ? &*o.failure : nullptr;
    for (const RecordField* c : kResultColumns) {
        const std::optional<double> value = StoredResult(*c, r, failure);
        row.push_back(value ? TableNumber(*value) : std::string());
    }
    row.push_back(failure ? StepId(failure->step()) : "");
    // The step has its own column: the message is the failure's words alone.
    std::string message(note);
    if (failure) message += (message.empty() ? "" : " ") + failure->message();
    row.push_back(Cell(message));
    for (std::string& text : ExtraColumnTexts(o.extras)) row.push_back(std::move(text));
    for (std::string& text : ToleranceColumnTexts(test)) row.push_back(std::move(text));

    std::string out;
    for (const auto* line : {&header, &row}) {
        for (std::size_t i = 0; i < line->size(); ++i) out += (i ? "\t" : "") + (*line)[i];
        out += '\n';
    }
    return out;
}

}  // namespace corvanet
