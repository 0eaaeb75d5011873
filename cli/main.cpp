// corvanet-cli: the calculation without the window. Reads the ten answers
// of the prompts from standard input, or a CSV of many figures.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QDateTime>
#include <QFile>
#include <QGuiApplication>

#include "cli/batch.h"
#include "cli/byte_stream.h"
#include "cli/extras_json.h"
#include "cli/figure_input.h"
#include "cli/options.h"
#include "cli/record_json.h"
#include "cli/safe_text.h"
#include "cli/window_texts.h"
#include "report/report_pdf.h"
#include "report/report_text.h"
#include "report/whole_file.h"
#include "sketch/sketch_svg.h"
#include "store/job_file.h"
#include "store/known_points.h"
#include "store/point_export.h"
#include "text/display_rules.h"
#include "text/extras_text.h"
#include "text/result_columns.h"
#include "text/point_reading.h"
#include "text/text_decoding.h"
#include "text/tolerance_text.h"
#include "text/version.h"

namespace {

constexpr int kUsageError = 2;

// Qt's own messages (a painter that could not begin, a runtime folder it
// chose) mean nothing to a terminal user; ours say what went wrong.
void NoQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

int Unusable(const std::string& message)
{
    std::cerr << "corvanet-cli：" << message << "\n";
    return kUsageError;
}

// The application Qt needs: a GUI one to lay out the PDF and the sketch
// with real fonts (no display needed), a plain one to load the job's SQL
// driver, none for the rest.
std::unique_ptr<QCoreApplication> MakeApplication(bool gui, bool job, char* program)
{
    static int qtArgc = 1;
    static char* qtArgv[] = {program, nullptr};
    if (gui) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    }
    if (job) return std::make_unique<QCoreApplication>(qtArgc, qtArgv);
    return nullptr;
}

// The job named on the command line, or the one line that says why it
// cannot be used.
std::variant<std::unique_ptr<corvanet::JobFile>, std::string> OpenJob(const std::string& path, bool create)
{
    auto opened = corvanet::JobFile::Open(QFile::decodeName(QByteArray::fromStdString(path)),
                                          corvanet::JobOptions{.create = create});
    if (auto* problem = std::get_if<corvanet::JobProblem>(&opened)) return problem->message.toStdString();
    return std::move(std::get<std::unique_ptr<corvanet::JobFile>>(opened));
}

int JobUnusable(const std::string& message)
{
    std::cerr << message << "\n";
    return kUsageError;
}

bool IsDirectory(int fd)
{
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

void PrintSummary(const corvanet::SurveyRecord& r, const corvanet::TextedCalculation& calc,
                  const std::optional<corvanet::MisclosureTest>& test)
{
    using corvanet::ResultField;
    std::cout << "待定点 " << corvanet::TerminalSafe(r.PointName) << "\n";
    auto line = [&](const char* label, ResultField f) {
        const auto it = calc.texts.find(corvanet::ResultBoxName(f));
        if (it != calc.texts.end()) std::cout << label << it->second << "\n";
    };
    line("固定角闭合差 w = ", ResultField::w);
    line("单位权测边中误差 ms = ", ResultField::ms);
    line("由 A 点推算 Xp = ", ResultField::xp1);
    line("由 A 点推算 Yp = ", ResultField::yp1);
    line("由 B 点推算 Xp = ", ResultField::xp2);
    line("由 B 点推算 Yp = ", ResultField::yp2);
    line("由 C 点推算 Xp = ", ResultField::xp3);
    line("由 C 点推算 Yp = ", ResultField::yp3);
    line("纵座标权倒数 px = ", ResultField::px);
    line("横座标权倒数 py = ", ResultField::py);
    line("纵座标单位权中误差 mx = ", ResultField::mx);
    line("横座标单位权中误差 my = ", ResultField::my);
    line("单位权点位中误差 md = ", ResultField::md);
    line("单位权相对中误差 ", ResultField::m);
    for (const corvanet::ExtraText& extra : corvanet::ExtrasTexts(calc.outcome.extras))
        std::cout << extra.label << " = " << extra.value << "\n";
    std::cout << "闭合差限差 = " << (test ? corvanet::LimitText(test->limit) : corvanet::kNotAvailable) << "\n";
    std::cout << "闭合差检验 = " << (test ? corvanet::VerdictText(test->exceeded) : corvanet::kNotAvailable) << "\n";
}

void PrintJson(const corvanet::SurveyRecord& record, const corvanet::TextedCalculation& calc,
               const std::optional<corvanet::MisclosureTest>& test)
{
    nlohmann::ordered_json j;
    j["record"] = corvanet::RecordJson(record);
    j["error"] = corvanet::FailureJson(calc.failure);
    j["ellipse"] = corvanet::EllipseJson(calc.outcome.extras);
    j["checks"] = corvanet::ChecksJson(calc.outcome.extras);
    j["tolerance"] = corvanet::ToleranceJson(test);
    nlohmann::ordered_json texts = nlohmann::ordered_json::object();
    for (int i = 1; i <= 26; ++i) {
        const std::string name = "Text" + std::to_string(i);
        if (const auto it = calc.texts.find(name); it != calc.texts.end()) texts[name] = it->second;
    }
    j["texts"] = texts;
    // The input is decoded to valid UTF-8 before it gets here; replacing
    // rather than throwing keeps that promise should anything slip through.
    std::cout << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

int RunBatch(const corvanet::CliOptions& o, char* program)
{
    const bool standardInput = o.batch == "-";
    const std::string name = standardInput ? "标准输入" : "文件 " + corvanet::TerminalSafe(o.batch);
    const int fd = standardInput ? STDIN_FILENO : open(o.batch.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Unusable("无法打开" + name + "：" + corvanet::ErrnoText(errno));
    if (IsDirectory(fd)) return Unusable(name + " 是一个目录，不是 CSV 文件");

    const auto app = MakeApplication(false, !o.job.empty(), program);
    std::unique_ptr<corvanet::JobFile> job;
    std::optional<corvanet::JobFile::Appender> appender;
    corvanet::BatchOptions options{o.bom, o.meter};
    std::map<std::string, corvanet::NamedPoint> known;
    const corvanet::KnownPointLookup lookup = [&known](const std::string& pointName) -> std::optional<corvanet::NamedPoint> {
        const auto it = known.find(pointName);
        if (it == known.end()) return std::nullopt;
        return it->second;
    };
    if (!o.job.empty()) {
        auto opened = OpenJob(o.job, true);
        if (auto* problem = std::get_if<std::string>(&opened)) return JobUnusable(*problem);
        job = std::move(std::get<std::unique_ptr<corvanet::JobFile>>(opened));
        // Read before the batch, so that a job that cannot be read stops it
        // before any output; a row then looks its points up in memory.
        auto points = corvanet::AllKnownPoints(*job);
        if (auto* problem = std::get_if<corvanet::JobProblem>(&points)) return JobUnusable(problem->message.toStdString());
        for (const corvanet::KnownPoint& p : std::get<std::vector<corvanet::KnownPoint>>(points))
            known[p.name.toStdString()] = {p.x, p.y};
        options.knownPoints = &lookup;
        // The whole batch is one transaction, its rows streamed into it:
        // all of them are in the job or none.
        appender.emplace(*job);
        options.calculated = [&](const corvanet::CalculationOutcome& outcome,
                                 const std::optional<corvanet::MisclosureTest>& test) {
            appender->Add({QDateTime::currentDateTimeUtc(), outcome, o.meter, test});
        };
    }
    const corvanet::BatchSummary s = corvanet::RunBatch(corvanet::ReadFromDescriptor(fd, name),
                                                        corvanet::WriteToDescriptor(STDOUT_FILENO, "标准输出"), std::cerr,
                                                        options);
    if (!s.headerOk) return kUsageError;
    if (appender)
        if (const auto problem = appender->Commit()) return JobUnusable(problem->message.toStdString());
    std::cerr << "共 " << s.rows << " 行：完成 " << s.complete << "，计算中止 " << s.failed << "，无法读取 "
              << s.malformed << "\n";
    return (s.failed == 0 && s.malformed == 0) ? 0 : 1;
}

int RunExport(const corvanet::CliOptions& o, char* program)
{
    const auto app = MakeApplication(false, true, program);
    // An export reads a job; a name that is not there is a mistake, not a new job.
    auto opened = OpenJob(o.job, false);
    if (auto* problem = std::get_if<std::string>(&opened)) return JobUnusable(*problem);
    const auto& job = std::get<std::unique_ptr<corvanet::JobFile>>(opened);
    const auto exported = corvanet::ExportPoints(*job, o.exportPoints,
                                                 QString::fromStdString(corvanet::TerminalSafe(o.exportPoints)),
                                                 {o.pointFormat, o.pointEncoding, std::nullopt});
    if (auto* problem = std::get_if<QString>(&exported)) return JobUnusable(problem->toStdString());
    std::cerr << "已导出 " << std::get<long long>(exported) << " 个点到 " << corvanet::TerminalSafe(o.exportPoints)
              << "\n";
    return 0;
}

// "X = 1000，Y = 2000", and H when the point has one.
std::string CoordinatesText(const corvanet::KnownPoint& p)
{
    std::string text = "X = " + corvanet::TableNumber(p.x) + "，Y = " + corvanet::TableNumber(p.y);
    if (p.h) text += "，H = " + corvanet::TableNumber(*p.h);
    return text;
}

// The whole of the file at `path` into `bytes`, or the one line that says
// why it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, const std::string& name, std::string& bytes)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "无法打开" + name + "：" + corvanet::ErrnoText(errno);
    std::optional<std::string> problem;
    if (IsDirectory(fd)) problem = name + " 是一个目录，不是坐标文件";
    const corvanet::ReadBytes read = corvanet::ReadFromDescriptor(fd, name);
    constexpr std::size_t kPiece = std::size_t(1) << 16;
    try {
        for (std::size_t n = kPiece; !problem && n > 0;) {
            const std::size_t had = bytes.size();
            bytes.resize(had + kPiece);
            n = read(bytes.data() + had, kPiece);
            bytes.resize(had + n);
            if (bytes.size() > static_cast<std::size_t>(corvanet::kMaxPointFileBytes)) problem = name + " 超过 64 MiB，不是坐标文件";
        }
    } catch (const corvanet::StreamError& e) {
        problem = e.what();
    }
    close(fd);
    return problem;
}

int RunImport(const corvanet::CliOptions& o, char* program)
{
    const std::string name = "文件 " + corvanet::TerminalSafe(o.importPoints);
    std::string bytes;
    if (const auto problem = ReadWholeFile(o.importPoints, name, bytes)) return Unusable(*problem);
    const corvanet::PointFileReading reading = corvanet::ReadPointFile(bytes);

    const auto app = MakeApplication(false, true, program);
    auto opened = OpenJob(o.job, true);
    if (auto* problem = std::get_if<std::string>(&opened)) return JobUnusable(*problem);
    corvanet::JobFile& job = *std::get<std::unique_ptr<corvanet::JobFile>>(opened);
    // The job's points as they were, for what a conflict is set against.
    auto before = corvanet::AllKnownPoints(job);
    if (auto* problem = std::get_if<corvanet::JobProblem>(&before)) return JobUnusable(problem->message.toStdString());
    std::map<QString, corvanet::KnownPoint> there;
    for (corvanet::KnownPoint& p : std::get<std::vector<corvanet::KnownPoint>>(before)) there[p.name] = std::move(p);

    // The source is the file's name as given, decoded as any input is.
    const QString source = QString::fromStdString(corvanet::TextDecoder().Decode(o.importPoints));
    const std::vector<corvanet::KnownPoint> points = corvanet::KnownPointsOf(reading, source);
    std::map<QString, long> lines;
    for (const corvanet::ReadPoint& r : reading.points) lines[QString::fromStdString(r.name)] = r.line;
    auto added = corvanet::AddKnownPoints(job, points, o.replace);
    if (auto* problem = std::get_if<corvanet::JobProblem>(&added)) return JobUnusable(problem->message.toStdString());
    const corvanet::KnownPointMerge& merge = std::get<corvanet::KnownPointMerge>(added);

    for (const corvanet::SkippedRow& row : reading.skipped)
        std::cerr << "第 " << row.line << " 行：" << row.reason << "\n";
    // Each point whose name the job had with other coordinates: kept as the
    // job had it, or replaced.
    for (const corvanet::KnownPoint& p : o.replace ? points : merge.conflicts) {
        const auto it = there.find(p.name);
        if (it == there.end() || corvanet::SameCoordinates(it->second, p)) continue;
        std::cerr << "点“" << corvanet::TerminalSafe(p.name.toStdString()) << "”" << (o.replace ? "已替换" : "冲突")
                  << "：作业中" << (o.replace ? "原为 " : "为 ") << CoordinatesText(it->second) << "，文件第 "
                  << lines[p.name] << " 行为 " << CoordinatesText(p) << (o.replace ? "" : "，保留作业中的坐标") << "\n";
    }
    std::cerr << "导入 " << corvanet::TerminalSafe(o.importPoints) << "：新加 " << merge.added << " 个点，已有且相同 "
              << merge.same << " 个";
    if (o.replace) std::cerr << "，替换 " << merge.replaced << " 个";
    if (!merge.conflicts.empty())
        std::cerr << "，坐标不同而没有替换 " << merge.conflicts.size() << " 个（加 --replace 改用文件中的坐标）";
    if (!reading.skipped.empty()) std::cerr << "，跳过 " << reading.skipped.size() << " 行";
    std::cerr << "\n";
    return reading.skipped.empty() && merge.conflicts.empty() ? 0 : 1;
}

int RunFigure(const corvanet::CliOptions& o, char* program)
{
    if (IsDirectory(STDIN_FILENO)) return Unusable("标准输入是一个目录，应为十行输入");
    corvanet::LineReader lines(corvanet::ReadFromDescriptor(STDIN_FILENO, "标准输入"));
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<corvanet::JobFile> job;
    std::string jobProblem;
    // The job is opened when a name in the input needs it, else once the
    // input has been read: input that cannot be used makes no job.
    const auto openJob = [&]() {
        if (job || !jobProblem.empty()) return job != nullptr;
        if (!app) app = MakeApplication(!o.pdf.empty() || !o.svg.empty(), true, program);
        auto opened = OpenJob(o.job, true);
        if (auto* problem = std::get_if<std::string>(&opened))
            jobProblem = *problem;
        else
            job = std::move(std::get<std::unique_ptr<corvanet::JobFile>>(opened));
        return job != nullptr;
    };
    const corvanet::KnownPointLookup lookup = [&](const std::string& name) -> std::optional<corvanet::NamedPoint> {
        // A job not made yet has no known points, and is not made for a name.
        struct stat st {};
        if (!job && stat(o.job.c_str(), &st) != 0) return std::nullopt;
        if (!openJob()) return std::nullopt;
        auto found = corvanet::FindKnownPoint(*job, QString::fromStdString(name));
        if (auto* problem = std::get_if<corvanet::JobProblem>(&found)) {
            jobProblem = problem->message.toStdString();
            return std::nullopt;
        }
        const auto& point = std::get<std::optional<corvanet::KnownPoint>>(found);
        if (!point) return std::nullopt;
        return corvanet::NamedPoint{point->x, point->y};
    };
    corvanet::FigureNames names{lookup};
    auto input = corvanet::ReadFigure(lines, o.job.empty() ? nullptr : &names);
    if (!jobProblem.empty()) return JobUnusable(jobProblem);
    if (auto* error = std::get_if<corvanet::InputError>(&input)) {
        std::cerr << "第 " << error->line << " 行：" << error->message << "\n";
        return kUsageError;
    }
    corvanet::SurveyRecord& record = std::get<corvanet::SurveyRecord>(input);
    if (!app) app = MakeApplication(!o.pdf.empty() || !o.svg.empty(), !o.job.empty(), program);
    if (!o.job.empty() && !openJob()) return JobUnusable(jobProblem);
    const QDateTime calculatedAt = QDateTime::currentDateTimeUtc();
    corvanet::TextedCalculation calc = corvanet::CalculateWithTexts(record);
    calc.outcome.knownPoints = names.picked;
    const std::optional<corvanet::MisclosureTest> test = corvanet::TestMisclosure(calc.outcome, o.meter);
    // Kept before any output: a job that cannot take it stops the run with
    // nothing written, and a file that cannot be written loses no calculation.
    if (job)
        if (const auto problem = job->Append({calculatedAt, calc.outcome, o.meter, test}))
            return JobUnusable(problem->message.toStdString());

    for (const auto& [path, kind] : {std::pair{&o.pdf, "PDF"}, std::pair{&o.svg, "SVG"}}) {
        // stat, never open: opening a named pipe to look at it waits for a
        // writer that never comes.
        struct stat st {};
        if (!path->empty() && stat(path->c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            return Unusable(std::string("无法写入 ") + kind + " 文件 " + corvanet::TerminalSafe(*path) + "：是一个目录");
    }
    if (!o.pdf.empty() || !o.svg.empty()) {
        // The names go to the file system as the bytes given, whatever
        // their encoding; the messages show them made safe for a terminal.
        const auto write = [](const char* kind, const std::string& path, bool made, const std::string& bytes,
                              std::string& error) {
            if (made && corvanet::WriteWholeFile(path, bytes, &error)) return true;
            std::cerr << "无法写入 " << kind << " 文件 " << corvanet::TerminalSafe(path) << "：" << error << "\n";
            return false;
        };
        std::string bytes, error;
        if (!o.pdf.empty() &&
            !write("PDF", o.pdf,
                   corvanet::ReportPdfBytes(record, corvanet::TraceOfWholeEntry(calc.texts, calc.failure), test, &bytes, &error),
                   bytes, error))
            return kUsageError;
        if (!o.svg.empty() &&
            !write("SVG", o.svg, corvanet::SketchSvgBytes({&calc.outcome, {}, test}, &bytes, &error), bytes, error))
            return kUsageError;
    }

    if (o.json) {
        PrintJson(record, calc, test);
    } else if (o.report) {
        corvanet::SurveyRecord shown = record;
        shown.PointName = corvanet::TerminalSafe(record.PointName);
        std::cout << corvanet::ReportPlainText(shown, corvanet::TraceOfWholeEntry(calc.texts, calc.failure), test);
    } else if (o.pdf.empty() && o.svg.empty()) {
        PrintSummary(record, calc, test);
    }
    if (!std::cout.flush()) {
        std::cerr << "无法写入标准输出\n";
        return kUsageError;
    }

    if (calc.failure) {
        std::cerr << "计算中止（" << corvanet::StepText(calc.failure->step()) << "）：" << calc.failure->message()
                  << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(NoQtMessages);
    auto parsed = corvanet::ParseCliOptions(argc, argv);
    if (auto* message = std::get_if<std::string>(&parsed)) return Unusable(*message + "（用 --help 查看用法）");
    const corvanet::CliOptions& o = std::get<corvanet::CliOptions>(parsed);
    if (o.help) {
        std::cout << corvanet::CliUsage();
        return 0;
    }
    if (o.version) {
        std::cout << "corvanet-cli " CORVANET_VERSION "\n";
        return 0;
    }
    try {
        if (!o.exportPoints.empty()) return RunExport(o, argv[0]);
        if (!o.importPoints.empty()) return RunImport(o, argv[0]);
        return o.batch.empty() ? RunFigure(o, argv[0]) : RunBatch(o, argv[0]);
    } catch (const corvanet::StreamError& e) {
        std::cerr << "corvanet-cli：" << e.what() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "corvanet-cli：" << e.what() << "\n";
    }
    return kUsageError;
}
