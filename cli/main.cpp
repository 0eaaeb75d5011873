// corvanet-cli: the calculation without the window. Reads the ten answers
// of the prompts from standard input, or a CSV of many figures.
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include <QGuiApplication>

#include "cli/batch.h"
#include "text/display_rules.h"
#include "cli/figure_input.h"
#include "text/number_text.h"
#include "cli/record_json.h"
#include "report/report_pdf.h"
#include "report/report_text.h"
#include "cli/window_texts.h"

namespace {

constexpr const char* kUsage =
    "用法: corvanet-cli [--json] [--report] [--pdf 文件] < 十行输入\n"
    "      corvanet-cli --batch 文件.csv > 结果.csv\n"
    "十行输入依次为 Xa, Ya, Xb, Yb, Xc, Yc, 点名, S1, S2, S3。\n";

// Qt's note that it chose a runtime folder for us is no news to a terminal user.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith(QStringLiteral("QStandardPaths:"))) return;
    std::cerr << message.toStdString() << "\n";
}

struct Options {
    bool json = false;
    bool report = false;
    std::string pdf;
    std::string batch;
};

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            o.json = true;
        } else if (arg == "--report") {
            o.report = true;
        } else if ((arg == "--pdf" || arg == "--batch") && i + 1 < argc) {
            (arg == "--pdf" ? o.pdf : o.batch) = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

void PrintSummary(const corvanet::SurveyRecord& r, const corvanet::TextedCalculation& calc)
{
    using corvanet::ResultField;
    std::cout << "待定点 " << r.PointName << "\n";
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
}

int RunBatchFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "无法打开文件 " << path << "\n";
        return 2;
    }
    const corvanet::BatchSummary s = corvanet::RunBatch(in, std::cout, std::cerr);
    if (!s.headerOk) return 2;
    std::cerr << "共 " << s.rows << " 行：完成 " << s.complete << "，计算中止 " << s.failed << "，无法读取 "
              << s.malformed << "\n";
    return (s.failed == 0 && s.malformed == 0) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::cerr << kUsage;
        return 2;
    }
    if (!o.batch.empty()) return RunBatchFile(o.batch);

    auto input = corvanet::ReadFigure(std::cin);
    if (auto* error = std::get_if<corvanet::InputError>(&input)) {
        std::cerr << "第 " << error->line << " 行：" << error->message << "\n";
        return 2;
    }
    corvanet::SurveyRecord& record = std::get<corvanet::SurveyRecord>(input);
    const corvanet::TextedCalculation calc = corvanet::CalculateWithTexts(record);

    if (!o.pdf.empty()) {
        // The PDF is laid out with the printer's fonts: a GUI application
        // without a display is enough.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(QuietQtMessages);
        int qtArgc = 1;
        QGuiApplication app(qtArgc, argv);
        std::string error;
        if (!corvanet::WriteReportPdf(record, corvanet::TraceOfWholeEntry(calc.texts, calc.failure), o.pdf, &error)) {
            std::cerr << "无法写入 PDF 文件 " << o.pdf << "：" << error << "\n";
            return 2;
        }
    }

    if (o.json) {
        nlohmann::ordered_json j;
        j["record"] = corvanet::RecordJson(record);
        j["error"] = corvanet::FailureJson(calc.failure);
        nlohmann::ordered_json texts = nlohmann::ordered_json::object();
        for (int i = 1; i <= 26; ++i) {
            const std::string name = "Text" + std::to_string(i);
            if (const auto it = calc.texts.find(name); it != calc.texts.end()) texts[name] = it->second;
        }
        j["texts"] = texts;
        std::cout << j.dump(2) << "\n";
    } else if (o.report) {
        std::cout << corvanet::ReportPlainText(record);
    } else if (o.pdf.empty()) {
        PrintSummary(record, calc);
    }

    if (calc.failure) {
        std::cerr << "计算中止（" << corvanet::StepText(calc.failure->step()) << "）：" << calc.failure->message()
                  << "\n";
        return 1;
    }
    return 0;
}
