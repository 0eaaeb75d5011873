#include "report/report_pdf.h"

#include <QGuiApplication>

#include "report/qt_report_printer.h"

namespace corvanet {

bool WriteReportPdf(const SurveyRecord& record, const std::string& path, std::string* error)
{
    return WriteReportPdf(record, CalculationTrace{}, path, error);
}

bool WriteReportPdf(const SurveyRecord& record, const CalculationTrace& trace, const std::string& path,
                    std::string* error)
{
    const auto fail = [error](std::string reason) {
        if (error) *error = std::move(reason);
        return false;
    };
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail("没有图形界面环境（QGuiApplication），无法排版 PDF 报表。");
    if (path.empty()) return fail("没有给出 PDF 文件名。");
    try {
        WriteReportFile(record, trace, DefaultReportPage(), QString::fromStdString(path));
    } catch (const PrinterFailure& failure) {
        return fail(failure.what());
    }
    return true;
}

}  // namespace corvanet
