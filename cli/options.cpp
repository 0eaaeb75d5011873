#include "cli/options.h"

#include <cstring>
#include <iterator>

#include "text/escaped_text.h"
#include "text/tolerance_text.h"

namespace corvanet {
namespace {

// Where an option belongs: the ten-line figure, the batch, the export of a
// job's points, the import of known points, or any of them.
enum Mode : unsigned {
    Figure = 1,
    Batch = 2,
    Export = 4,
    Import = 8,
    Calculation = Figure | Batch,
    Any = Figure | Batch | Export | Import
};

const char* ModeOption(unsigned modes)
{
    if (modes & Batch) return "--batch";
    if (modes & Export) return "--export-points";
    return "--import-points";
}

struct OptionSpec {
    const char* name;
    char shortName;       // 0 for none
    const char* argument;  // the argument's name in the usage, nullptr for a flag
    unsigned modes;
    bool standardOutputForm;  // what a figure prints on standard output: one at most
    bool CliOptions::*flag;
    std::string CliOptions::*value;
    const char* help;
};

constexpr OptionSpec kOptions[] = {
    {"help", 'h', nullptr, Any, false, &CliOptions::help, nullptr, "显示本说明并退出"},
    {"version", 0, nullptr, Any, false, &CliOptions::version, nullptr, "显示版本并退出"},
    {"json", 0, nullptr, Figure, true, &CliOptions::json, nullptr, "以 JSON 输出整个记录、失败（若有）和窗口文字"},
    {"report", 0, nullptr, Figure, true, &CliOptions::report, nullptr, "以文本输出打印报表"},
    {"pdf", 0, "文件", Figure, false, nullptr, &CliOptions::pdf, "把打印报表写入 PDF 文件（可与 --json 或 --report 同用）"},
    {"svg", 0, "文件", Figure, false, nullptr, &CliOptions::svg, "把图形（按比例的略图和误差椭圆）写入 SVG 文件"},
    {"batch", 0, "文件", Batch, false, nullptr, &CliOptions::batch, "逐行计算 CSV 文件中的图形；文件为 - 时读标准输入"},
    {"precision", 0, "a,b", Calculation, false, nullptr, &CliOptions::precision, "测距精度 ±(a mm + b ppm·D)，闭合差检验用；默认 2,2"},
    {"bom", 0, nullptr, Batch, false, &CliOptions::bom, nullptr, "结果以 UTF-8 字节顺序标记开头，供中文 Windows 上的电子表格识别"},
    {"job", 0, "作业文件", Any, false, nullptr, &CliOptions::job,
     "把计算（批量时每行的计算）记入作业文件，文件不存在时新建；与 --export-points 同用时为导出的作业，"
     "与 --import-points 同用时为导入的作业"},
    {"export-points", 0, "文件", Export, false, nullptr, &CliOptions::exportPoints,
     "把作业中完成的计算的 P 点导出到 .dat 或 .csv 文件（须同时给出 --job）"},
    {"encoding", 0, "编码", Export, false, nullptr, &CliOptions::encoding,
     "DAT 文件的编码：gb18030（默认）或 utf-8"},
    {"import-points", 0, "文件", Import, false, nullptr, &CliOptions::importPoints,
     "把坐标文件（DAT 或 点名,X,Y[,H]）中的点作为已知点加入作业（须同时给出 --job）"},
    {"replace", 0, nullptr, Import, false, &CliOptions::replace, nullptr,
     "导入时，作业中同名而坐标不同的点改用文件中的坐标"},
};

std::string Dashed(const OptionSpec& o) { return std::string("--") + o.name; }

const OptionSpec* Find(std::string_view arg)
{
    for (const OptionSpec& o : kOptions) {
        if (arg == Dashed(o)) return &o;
        if (o.shortName && arg.size() == 2 && arg[0] == '-' && arg[1] == o.shortName) return &o;
    }
    return nullptr;
}

}  // namespace

std::variant<CliOptions, std::string> ParseCliOptions(int argc, const char* const* argv)
{
    CliOptions options;
    bool given[std::size(kOptions)] = {};
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string_view inlineValue;
        bool hasInlineValue = false;
        if (const std::size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string_view::npos) {
            inlineValue = arg.substr(eq + 1);  // --pdf=report.pdf
            hasInlineValue = true;
            arg = arg.substr(0, eq);
        }
        const OptionSpec* o = Find(arg);
        if (!o) {
            if (arg.empty() || arg[0] != '-' || arg == "-") return "多余的参数：" + std::string(argv[i]);
            return "未知选项：" + std::string(arg);
        }
        const std::size_t index = static_cast<std::size_t>(o - kOptions);
        if (o->flag) {
            if (hasInlineValue) return "选项 " + Dashed(*o) + " 不带参数";
            options.*(o->flag) = true;
        } else {
            if (given[index]) return "选项 " + Dashed(*o) + " 只能给一次";
            if (!hasInlineValue) {
                if (i + 1 >= argc) return "选项 " + Dashed(*o) + " 需要一个" + o->argument;
                inlineValue = argv[++i];
            }
            if (inlineValue.empty()) return "选项 " + Dashed(*o) + " 需要一个" + o->argument;
            options.*(o->value) = std::string(inlineValue);
        }
        given[index] = true;
    }
    if (options.help || options.version) return options;
    if (!options.precision.empty()) {
        auto meter = ReadMeterPrecision(options.precision);
        if (auto* problem = std::get_if<std::string>(&meter)) return "选项 --precision：" + *problem;
        options.meter = std::get<MeterPrecision>(meter);
    }

    // Options of one mode do not mix with another; a figure prints one form.
    const unsigned mode = !options.exportPoints.empty()   ? Export
                          : !options.importPoints.empty() ? Import
                          : !options.batch.empty()        ? Batch
                                                          : Figure;
    const OptionSpec* form = nullptr;
    for (std::size_t i = 0; i < std::size(kOptions); ++i) {
        if (!given[i]) continue;
        const OptionSpec& o = kOptions[i];
        if (!(o.modes & mode)) {
            if (mode == Export || mode == Import) return "选项 " + Dashed(o) + " 不能与 " + ModeOption(mode) + " 同用";
            if (mode == Batch && (o.modes & Figure)) return "选项 " + Dashed(o) + " 不能与 --batch 同用";
            return "选项 " + Dashed(o) + " 只用于 " + ModeOption(o.modes);
        }
        if (o.standardOutputForm && form) return "选项 " + Dashed(*form) + " 与 " + Dashed(o) + " 只能选一个";
        if (o.standardOutputForm) form = &o;
    }
    if (mode == Import && options.job.empty()) return "选项 --import-points 需要 --job 给出作业文件";
    if (mode == Export) {
        if (options.job.empty()) return "选项 --export-points 需要 --job 给出作业文件";
        const auto format = PointFileFormatOf(options.exportPoints);
        if (!format) return "点文件 " + TerminalSafe(options.exportPoints) + " 应以 .dat 或 .csv 结尾";
        options.pointFormat = *format;
        if (!options.encoding.empty()) {
            if (*format == PointFileFormat::Csv) return "选项 --encoding 只用于 DAT 文件（CSV 文件总是 UTF-8）";
            std::string name = options.encoding;
            for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            if (name == "gb18030")
                options.pointEncoding = PointEncoding::Gb18030;
            else if (name == "utf-8")
                options.pointEncoding = PointEncoding::Utf8;
            else
                return "选项 --encoding 应为 gb18030 或 utf-8，不是 " + TerminalSafe(options.encoding);
        }
    }
    return options;
}

std::string CliUsage()
{
    std::string usage =
        "用法：corvanet-cli [--json | --report] [--pdf 文件] [--svg 文件] < 十行输入\n"
        "      corvanet-cli --batch 文件.csv [--bom] > 结果.csv\n"
        "      corvanet-cli --export-points 点.dat|点.csv --job 作业文件 [--encoding gb18030|utf-8]\n"
        "      corvanet-cli --import-points 控制点.dat --job 作业文件 [--replace]\n"
        "      前两种用法都可加 --precision a,b（测距精度，默认 2,2）和 --job 作业文件（记入计算）\n"
        "十行输入依次为 Xa、Ya、Xb、Yb、Xc、Yc、点名、S1、S2、S3，每行一项；\n"
        "UTF-8（可带字节顺序标记）或 GB18030/GBK 均可。\n"
        "有 --job 时，Xa、Xb、Xc 一行可为作业中已知点的点名，其后的 Y 一行空着即取该点的 Y；\n"
        "批量文件的表头为 name,A,B,C,S1,S2,S3 时，A、B、C 列为已知点的点名。\n"
        "\n选项：\n";
    for (const OptionSpec& o : kOptions) {
        std::string left = o.shortName ? std::string("-") + o.shortName + ", " : "    ";
        left += Dashed(o);
        if (o.argument) (left += ' ') += o.argument;
        // A Chinese character is three bytes and two columns wide.
        std::size_t wide = 0;
        for (const char c : left) wide += static_cast<unsigned char>(c) >= 0x80;
        const std::size_t width = left.size() - wide / 3;
        usage += "  " + left + std::string(width < 20 ? 20 - width : 1, ' ') + o.help + "\n";
    }
    usage += "\n退出状态：0 计算完成（导出：已写入；导入：每行都是点，也没有保留的冲突）；\n"
             "1 计算中止（批量：有中止或无法读取的行；导入：有跳过的行或没有替换的冲突）；\n"
             "2 输入或选项无法使用，文件无法读取或写入，或作业文件无法打开或写入。\n";
    return usage;
}

}  // namespace corvanet
