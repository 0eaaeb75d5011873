#include "cli/batch.h"

#include <charconv>
#include <iterator>
#include <string>

#include "cli/csv_rows.h"
#include "cli/figure_calculation.h"
#include "cli/figure_input.h"
#include "cli/safe_text.h"
#include "cli/text_decoding.h"
#include "text/result_columns.h"

namespace corvanet {

const char* const kBatchHeader = "name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3";

namespace {

constexpr long kProgressEvery = 10000;
constexpr std::size_t kInputFields = 10;
constexpr std::size_t kWriteBlock = std::size_t(1) << 16;

std::string OutputHeader()
{
    std::string header = "line,name,status";
    for (const ResultColumn& c : kResultColumns) (header += ',') += c.header;
    header += ",step,message";
    for (const char* name : kExtraColumns) (header += ',') += name;
    return header + '\n';
}

// The longest shortest form of a double ("-2.2250738585072014e-308") and a comma.
constexpr std::ptrdiff_t kNumberRoom = 25;

void AppendNumber(std::string& out, double v)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

// One result row: the line the figure began on, its name, the status, the
// stored results, the failure's step and message, then the ellipse and the
// checks where the calculation got to them.
void AppendResultRow(std::string& out, long line, std::string_view name, const char* status,
                     const SurveyRecord* record, const CalculationFailure* failure, std::string_view message,
                     const std::optional<CalculationExtras>& extras = std::nullopt)
{
    AppendNumber(out, static_cast<double>(line));
    out += ',';
    AppendCsvTextCell(out, name);
    (out += ',') += status;
    // The numbers go straight into room made for them: this loop is most
    // of the batch's own work.
    const std::size_t at = out.size();
    out.resize(at + std::size(kResultColumns) * kNumberRoom);
    char* p = out.data() + at;
    for (const ResultColumn& c : kResultColumns) {
        *p++ = ',';
        if (record && (!failure || failure->step() > c.storedBy))
            p = std::to_chars(p, p + kNumberRoom - 1, c.value(*record)).ptr;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    out += ',';
    if (failure) AppendCsvTextCell(out, StepId(failure->step()));
    out += ',';
    AppendCsvTextCell(out, message);
    for (const std::string& text : ExtraColumnTexts(extras)) (out += ',') += text;
    out += '\n';
}

bool IsBlankRow(const CsvRow& row)
{
    return row.fieldCount == 1 && row.fault == CsvRow::Fault::None &&
           row.fields[0].find_first_not_of(" \t\r") == std::string_view::npos;
}

bool IsHeader(const CsvRow& row)
{
    if (row.fault != CsvRow::Fault::None || row.fieldCount != kInputFields) return false;
    std::string header(WithoutByteOrderMark(row.fields[0]));
    for (std::size_t i = 1; i < kInputFields; ++i) (header += ',') += row.fields[i];
    return header == kBatchHeader;
}

// What is wrong with a row that cannot be a figure, or nothing.
std::string RowFault(const CsvRow& row)
{
    switch (row.fault) {
    case CsvRow::Fault::TooLong:
        return "这一行太长（超过 1 MiB）";
    case CsvRow::Fault::OpenQuote:
        return "引号不成对：字段的引号没有结束";
    case CsvRow::Fault::None:
        break;
    }
    if (row.fieldCount != kInputFields)
        return "应有 10 列，实有 " + std::to_string(row.fieldCount) + " 列";
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
        if (out_.size() >= kWriteBlock) Flush();
        if (summary_.rows % kProgressEvery == 0) log_ << "已处理 " << summary_.rows << " 行\n";
    }

    void Flush()
    {
        if (out_.empty()) return;
        write_(out_);
        out_.clear();
    }

    bool Stopped() const { return stopped_; }
    const BatchSummary& Summary() const { return summary_; }

private:
    void Header(const CsvRow& row)
    {
        if (!IsHeader(row)) {
            log_ << "第 1 行应为表头 " << kBatchHeader << "\n";
            stopped_ = true;
            return;
        }
        summary_.headerOk = true;
        if (options_.byteOrderMark) out_ += "\xEF\xBB\xBF";
        out_ += OutputHeader();
    }

    void Figure(const CsvRow& row)
    {
        std::string why = RowFault(row);
        if (why.empty()) {
            // The CSV gives the name first; the figure's own order puts it seventh.
            const std::string_view ordered[10] = {row.fields[1], row.fields[2], row.fields[3], row.fields[4],
                                                  row.fields[5], row.fields[6], row.fields[0], row.fields[7],
                                                  row.fields[8], row.fields[9]};
            auto figure = FigureFromFields(ordered, decoder_, 0);
            if (auto* error = std::get_if<InputError>(&figure)) {
                why = std::move(error->message);
            } else {
                SurveyRecord& r = std::get<SurveyRecord>(figure);
                const CalculationOutcome outcome = CalculateFigure(r, constants_, sink_);
                if (const auto& failure = outcome.failure) {
                    ++summary_.failed;
                    AppendResultRow(out_, row.line, r.PointName, "failed", &r, &*failure, failure->message());
                } else {
                    ++summary_.complete;
                    AppendResultRow(out_, row.line, r.PointName, "ok", &r, nullptr, {}, outcome.extras);
                }
                return;
            }
        }
        ++summary_.malformed;
        log_ << "第 " << row.line << " 行无法读取：" << why << "\n";
        const std::string name = row.fieldCount > 0 ? decoder_.Decode(row.fields[0]) : std::string();
        AppendResultRow(out_, row.line, name, "malformed", nullptr, nullptr, why);
    }

    const WriteBytes& write_;
    std::ostream& log_;
    const BatchOptions& options_;
    const Constants constants_ = SetUpConstants();
    NullSink sink_;
    TextDecoder decoder_;
    BatchSummary summary_;
    std::string out_;
    bool stopped_ = false;
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
