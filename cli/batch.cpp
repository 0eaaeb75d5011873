#include "cli/batch.h"

#include <charconv>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/failure.h"
#include "cli/figure_input.h"
#include "text/result_columns.h"

namespace corvanet {

const char* const kBatchHeader = "name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3";

namespace {

constexpr long kProgressEvery = 10000;

// Splits one CSV line; quoted fields may hold commas and doubled quotes.
bool SplitCsv(const std::string& line, std::vector<std::string>& fields)
{
    fields.clear();
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(std::move(field));
    return !quoted;
}

void AppendCsvText(std::string& out, const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendNumber(std::string& out, double v)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

// The ellipse and the checks after the message, empty where not available.
std::string ExtraColumns(const std::optional<CalculationExtras>& extras)
{
    std::string out;
    for (const std::string& text : ExtraColumnTexts(extras)) out += ',' + text;
    return out;
}

std::string ExtraHeader()
{
    std::string out;
    for (const char* name : kExtraColumns) out += std::string(",") + name;
    return out;
}

std::string ResultRow(long line, const SurveyRecord& r, const std::optional<CalculationFailure>& failure,
                      const std::optional<CalculationExtras>& extras)
{
    std::string row = std::to_string(line) + ",";
    AppendCsvText(row, r.PointName);
    if (failure) {
        row += ",failed";
        row += std::string(18, ',');
        row += ',';
        row += StepId(failure->step());
        row += ',';
        AppendCsvText(row, failure->what());
        return row + ExtraColumns(extras) + "\n";
    }
    row += ",ok";
    for (double v : {double(r.w), r.k, double(r.ms), r.S1, r.S2, r.S3, r.xp1, r.yp1, r.xp2, r.yp2, r.xp3, r.yp3,
                     r.px, r.py, double(r.mx), double(r.my), double(r.md), double(r.m)}) {
        row += ',';
        AppendNumber(row, v);
    }
    return row + ",," + ExtraColumns(extras) + "\n";
}

}  // namespace

BatchSummary RunBatch(std::istream& in, std::ostream& out, std::ostream& log)
{
    BatchSummary summary;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    std::string header = lines.empty() ? std::string() : lines.front();
    if (header.rfind("\xEF\xBB\xBF", 0) == 0) header.erase(0, 3);  // a byte-order mark from a spreadsheet
    if (header != kBatchHeader) {
        log << "第 1 行应为表头 " << kBatchHeader << "\n";
        return summary;
    }
    summary.headerOk = true;
    out << "line,name,status,w,k,ms,s1,s2,s3,xp1,yp1,xp2,yp2,xp3,yp3,px,py,mx,my,md,m,step,message"
        << ExtraHeader() << "\n";

    const long total = static_cast<long>(lines.size()) - 1;
    const Constants k = SetUpConstants();
    NullSink sink;
    std::vector<std::string> fields;
    std::string buffer;
    for (long i = 1; i <= total; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        const long lineNumber = i + 1;
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        ++summary.rows;
        std::string why;
        if (!SplitCsv(line, fields)) {
            why = "引号不成对";
        } else if (fields.size() != 10) {
            why = "应有 10 列，实有 " + std::to_string(fields.size()) + " 列";
        } else {
            // The CSV gives the name first; the figure's own order puts it seventh.
            const std::string ordered[10] = {fields[1], fields[2], fields[3], fields[4], fields[5],
                                             fields[6], fields[0], fields[7], fields[8], fields[9]};
            auto figure = FigureFromFields(ordered);
            if (auto* error = std::get_if<InputError>(&figure)) {
                why = error->message;
            } else {
                SurveyRecord& r = std::get<SurveyRecord>(figure);
                const CalculationOutcome outcome = CalculateOutcome(r, k, sink);
                (outcome.failure ? summary.failed : summary.complete)++;
                buffer += ResultRow(lineNumber, r, outcome.failure, outcome.extras);
            }
        }
        if (!why.empty()) {
            ++summary.malformed;
            log << "第 " << lineNumber << " 行无法读取：" << why << "\n";
            buffer += std::to_string(lineNumber) + ",,malformed" + std::string(20, ',');
            AppendCsvText(buffer, why);
            buffer += ExtraColumns(std::nullopt) + '\n';
        }
        if (buffer.size() > (1u << 16)) {
            out << buffer;
            buffer.clear();
        }
        if (total > kProgressEvery && i % kProgressEvery == 0)
            log << "已处理 " << i << " / " << total << " 行\n";
    }
    out << buffer;
    return summary;
}

}  // namespace corvanet
