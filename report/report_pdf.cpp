#include "report/report_pdf.h"

#include <QFile>
#include <QGuiApplication>

#include "report/qt_report_printer.h"
#include "report/whole_file.h"

namespace corvanet {
namespace {

bool Fail(std::string* error, std::string reason)
{
    if (error) *error = std::move(reason);
    return false;
}

}  // namespace

bool ReportPdfBytes(const SurveyRecord& record, const CalculationTrace& trace,
                    const std::optional<MisclosureTest>& test, std::string* pdf, std::string* error)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Fail(error, "没有图形界面环境（QGuiApplication），无法排版 PDF 报表。");
    try {
        const QByteArray bytes = ReportPdf(record, trace, test, DefaultReportPage(), QStringLiteral("PDF 报表"));
        pdf->assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    } catch (const PrinterFailure& failure) {
        return Fail(error, failure.what());
    }
    return true;
}

bool WriteReportPdf(const SurveyRecord& record, const std::string& path, std::string* error)
{
    return WriteReportPdf(record, CalculationTrace{}, std::nullopt, path, error);
}

bool WriteReportPdf(const SurveyRecord& record, const CalculationTrace& trace,
                    const std::optional<MisclosureTest>& test, const std::string& path,
                    std::string* error)
{
    if (path.empty()) return Fail(error, "没有给出 PDF 文件名。");
    std::string pdf;
    if (!ReportPdfBytes(record, trace, test, &pdf, error)) return false;
    std::string reason;
    if (!WriteWholeFile(path, pdf, &reason))
        return Fail(error, "PDF 文件“" + QFile::decodeName(QByteArray::fromStdString(path)).toStdString() + "”无法写入（" +
                               reason + "）。");
    return true;
}

}  // namespace corvanet
