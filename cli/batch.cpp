#include "cli/batch.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>

#include "cli/figure_calculation.h"
#include "cli/figure_input.h"
#include "cli/safe_text.h"
#include "text/csv_rows.h"
#include "text/entry_inputs.h"
#include "text/number_text.h"
#include "text/result_columns.h"
#include "text/text_decoding.h"

namespace corvanet {

const char* const kBatchHeader = kInputHeader.data();
const char* const kNamedBatchHeader = "name,A,B,C,S1,S2,S3";

namespace {

constexpr long kProgressEvery = 10000;
constexpr std::size_t kInputFields = kInputColumns.size();
constexpr std::size_t kWriteBlock = std::size_t(1) << 16;

std::string OutputHeader()
{
    std::string header = "line,name,status";
    for (const RecordField* c : kResultColumns) (header += ',') += c->resultColumn;
    header += ",step,message";
    for (const char* name : kExtraColumns) (header += ',') += name;
    for (const char* name : kToleranceColumns) (header += ',') += name;
    return header + '\n';
}

// The output as it is made: rows are written straight into room made at
// its end, with no string of their own.
class OutputBuffer {
public:
    // At least `n` writable bytes at the end.
    char* Room(std::size_t n)
    {
        if (bytes_.size() - used_ < n) bytes_.resize(std::max(2 * bytes_.size(), used_ + n));
        return bytes_.data() + used_;
    }
    // What was written into Room ends at `end`.
    void Written(char* end) { used_ = static_cast<std::size_t>(end - bytes_.data()); }
    void Append(std::string_view text)
    {
        char* p = Room(text.size());
        Written(std::copy(text.begin(), text.end(), p));
    }
    std::string_view Text() const { return {bytes_.data(), used_}; }
    void Clear() { used_ = 0; }

private:
    std::string bytes_ = std::string(2 * kWriteBlock, '\0');
    std::size_t used_ = 0;
};

// A comma and a number, and room for the fixed-size moves of the last one.
constexpr std::size_t kNumberCell = 1 + kShortestTextLength;
constexpr std::size_t kNumbersRoom =
    (1 + std::size(kResultColumns) + kExtraColumns.size() + kToleranceColumns.size()) * kNumberCell + kShortestTextRoom;
constexpr std::size_t kStatusRoom = 32;  // ",malformed" and the like

char* WriteNumberCell(char* p, double v)
{
    *p++ = ',';
    return WriteShortestText(p, v);
}

// The result columns, unrolled: each column's row is known at compile time,
// so its member is read directly.
template <std::size_t... I>
char* WriteResultCells(char* p, const SurveyRecord* record, const CalculationFailure* failure,
                       std::index_sequence<I...>)
{
    const auto cell = [&p, record, failure](const RecordField& column) {
        const std::optional<double> value = record ? StoredResult(column, *record, failure) : std::nullopt;
        p = value ? WriteNumberCell(p, *value) : (*p = ',', p + 1);
    };
    (cell(*kResultColumns[I]), ...);
    return p;
}

// One result row: the line the figure began on, its name, the status, the
// stored results, the failure's step and message, then the ellipse and the
// checks where the calculation got to them, and the misclosure test.
void WriteResultRow(OutputBuffer& out, long line, std::string_view name, const char* status,
                    const SurveyRecord* record, const CalculationFailure* failure, std::string_view message,
                    const std::optional<CalculationExtras>& extras = std::nullopt,
                    const std::optional<MisclosureTest>& test = std::nullopt)
{
    char* p = out.Room(kLineNumberRoom + CsvTextCellRoom(name) + kStatusRoom);
    p = WriteLineNumber(p, line);
    *p++ = ',';
    p = WriteCsvTextCell(p, name);
    *p++ = ',';
    for (const char* c = status; *c; ++c) *p++ = *c;
    out.Written(p);

    p = out.Room(kNumbersRoom);
    p = WriteResultCells(p, record, failure, std::make_index_sequence<kResultColumns.size()>());
    *p++ = ',';
    out.Written(p);
    if (failure) {
        const char* step = StepId(failure->step());
        p = out.Room(CsvTextCellRoom(step));
        out.Written(WriteCsvTextCell(p, step));
    }
    p = out.Room(1 + CsvTextCellRoom(message) + kNumbersRoom);
    *p++ = ',';
    p = WriteCsvTextCell(p, message);
    if (extras) {
        for (const std::optional<double>& v : ExtraColumnValues(*extras))
            p = v ? WriteNumberCell(p, *v) : (*p = ',', p + 1);
    } else {
        for (std::size_t i = 0; i < kExtraColumns.size(); ++i) *p++ = ',';
    }
    if (test) {
        p = WriteNumberCell(p, test->mw);
        p = WriteNumberCell(p, test->limit);
        for (const char* c = test->exceeded ? ",exceeded" : ",pass"; *c; ++c) *p++ = *c;
    } else {
        for (std::size_t i = 0; i < kToleranceColumns.size(); ++i) *p++ = ',';
    }
    *p++ = '\n';
    out.Written(p);
}

bool IsBlankRow(const CsvRow& row)
{
    return row.fieldCount == 1 && row.fault == CsvRow::Fault::None &&
           row.fields[0].find_first_not_of(" \t\r") == std::string_view::npos;
}

// The fields of a named row: name, A, B, C, S1, S2, S3.
constexpr std::size_t kNamedFields = 7;

bool IsHeader(const CsvRow& row, const char* expected, std::size_t fields)
{
    if (row.fault != CsvRow::Fault::None || row.fieldCount != fields) return false;
    std::string header(WithoutByteOrderMark(row.fields[0]));
    for (std::size_t i = 1; i < fields; ++i) (header += ',') += row.fields[i];
    return header == expected;
}

// What is wrong with a row that cannot be a figure, or nothing.
std::string RowFault(const CsvRow& row, std::size_t fields)
{
    switch (row.fault) {
    case CsvRow::Fault::TooLong:
        return "这一行太长（超过 1 MiB）";
    case CsvRow::Fault::OpenQuote:
        return "引号不成对：字段的引号没有结束";
    case CsvRow::Fault::None:
        break;
    }
    if (row.fieldCount != fields)
        return "应有 " + std::to_string(fields) + " 列，实有 " + std::to_string(row.fieldCount) + " 列";
    return {};
}

class Batch {
public:
    Batch(const WriteBytes& write, std::ostream& log, const BatchOptions& options)
        : write_(write), log_(log), options_(options)
    {
    }

    void Row(const CsvRow& row)
    {
        if (stopped_) return;
        if (!summary_.headerOk) return Header(row);
        if (IsBlankRow(row)) return;
        ++summary_.rows;
        Figure(row);
        if (out_.Text().size() >= kWriteBlock) Flush();
        if (summary_.rows % kProgressEvery == 0) log_ << "已处理 " << summary_.rows << " 行\n";
    }

    void Flush()
    {
        if (out_.Text().empty()) return;
        write_(out_.Text());
        out_.Clear();
    }

    bool Stopped() const { return stopped_; }
    const BatchSummary& Summary() const { return summary_; }

private:
    void Header(const CsvRow& row)
    {
        named_ = IsHeader(row, kNamedBatchHeader, kNamedFields);
        if (named_ && !options_.knownPoints) {
            log_ << "第 1 行的表头 " << kNamedBatchHeader << " 按点名取作业中的已知点，须同时给出 --job\n";
            stopped_ = true;
            return;
        }
        if (!named_ && !IsHeader(row, kBatchHeader, kInputFields)) {
            log_ << "第 1 行应为表头 " << kBatchHeader << "\n";
            stopped_ = true;
            return;
        }
        summary_.headerOk = true;
        if (options_.byteOrderMark) out_.Append("\xEF\xBB\xBF");
        out_.Append(OutputHeader());
    }

    void Figure(const CsvRow& row)
    {
        std::string why = RowFault(row, named_ ? kNamedFields : kInputFields);
        if (why.empty()) {
            // The CSV gives the name first; the figure's own order puts it seventh.
            std::string_view ordered[kInputFields];
            std::optional<FigureNames> names;
            if (named_) {
                // name,A,B,C,S1,S2,S3: each known point's name in its X, no Y.
                const std::string_view* f = row.fields;
                const std::string_view fields[kInputFields] = {f[1], {}, f[2], {}, f[3], {}, f[0], f[4], f[5], f[6]};
                std::copy(std::begin(fields), std::end(fields), ordered);
                names.emplace(FigureNames{*options_.knownPoints, true});
            } else {
                for (std::size_t i = 0; i < kInputFields; ++i) ordered[i] = row.fields[promptColumn_[i]];
            }
            auto figure = FigureFromFields(ordered, decoder_, 0, names ? &*names : nullptr);
            if (auto* error = std::get_if<InputError>(&figure)) {
                why = std::move(error->message);
            } else {
                SurveyRecord& r = std::get<SurveyRecord>(figure);
                // Only a batch that keeps its calculations pays for the copy.
                std::optional<SurveyRecord> entered;
                if (options_.calculated) entered = r;
                // The test reads the measured distances, which the adjustment overwrites.
                const std::array<double, 3> measured{r.S1, r.S2, r.S3};
                const auto failure = CalculateFigureInPlace(r, sink_, extras_, coefficients_);
                const std::optional<MisclosureTest> test = TestMisclosure(coefficients_, measured, r.w, options_.meter);
                if (failure) {
                    ++summary_.failed;
                    WriteResultRow(out_, row.line, r.PointName, "failed", &r, &*failure, failure->message(),
                                   std::nullopt, test);
                } else {
                    ++summary_.complete;
                    WriteResultRow(out_, row.line, r.PointName, "ok", &r, nullptr, {}, extras_, test);
                }
                if (options_.calculated) {
                    CalculationOutcome outcome{std::move(*entered), std::move(r), failure,
                                               failure ? std::nullopt : extras_, coefficients_};
                    if (names) outcome.knownPoints = names->picked;
                    options_.calculated(outcome, test);
                }
                return;
            }
        }
        ++summary_.malformed;
        log_ << "第 " << LineNumberText(row.line) << " 行无法读取：" << why << "\n";
        const std::string name = row.fieldCount > 0 ? decoder_.Decode(row.fields[0]) : std::string();
        WriteResultRow(out_, row.line, name, "malformed", nullptr, nullptr, why);
    }

    // The CSV column of each input in the order of the prompts.
    static std::array<std::size_t, kInputFields> PromptColumns()
    {
        std::array<std::size_t, kInputFields> columns{};
        const auto inputs = EntryInputs();
        for (std::size_t i = 0; i < kInputFields; ++i)
            columns[i] = std::find(kInputColumns.begin(), kInputColumns.end(), inputs[i].field) - kInputColumns.begin();
        return columns;
    }

    const WriteBytes& write_;
    std::ostream& log_;
    const BatchOptions& options_;
    NullSink sink_;
    TextDecoder decoder_;
    BatchSummary summary_;
    std::optional<CalculationExtras> extras_;
    std::optional<ConditionCoefficients> coefficients_;
    OutputBuffer out_;
    const std::array<std::size_t, kInputFields> promptColumn_ = PromptColumns();
    bool stopped_ = false;
    bool named_ = false;  // the header took A, B and C by name
};

}  // namespace

BatchSummary RunBatch(const ReadBytes& read, const WriteBytes& write, std::ostream& log, const BatchOptions& options)
{
    Batch batch(write, log, options);
    CsvRowReader rows(kInputFields, kMaxBatchRow, [&batch](const CsvRow& row) { batch.Row(row); });
    std::string buffer(std::size_t(1) << 16, '\0');
    while (!batch.Stopped()) {
        // What is done goes out before a read that may wait for the writer.
        batch.Flush();
        const std::size_t n = read(buffer.data(), buffer.size());
        if (n == 0) break;
        rows.Feed(std::string_view(buffer.data(), n));
    }
    if (!batch.Stopped()) rows.Finish();
    if (!batch.Summary().headerOk && !batch.Stopped()) log << "第 1 行应为表头 " << kBatchHeader << "\n";
    batch.Flush();
    return batch.Summary();
}

}  // namespace corvanet
