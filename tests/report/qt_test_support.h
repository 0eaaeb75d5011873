#pragma once
// What the paper tests share: the report's page as a PDF, and the text of a PDF.
#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QProcess>
#include <QString>
#include <memory>

#include "report/qt_report_printer.h"

namespace corvanet::testing {

inline std::unique_ptr<QPdfWriter> ReportPage(const QString& path, const QPageLayout& page = DefaultReportPage())
{
    auto writer = std::make_unique<QPdfWriter>(path);
    writer->setResolution(kPageDpi);
    writer->setPageLayout(page);
    return writer;
}

// The text of a PDF file as pdftotext lays it out; empty, with a failure,
// when pdftotext is missing or fails.
inline QString PdfText(const QString& path, const QStringList& options = {QStringLiteral("-layout")})
{
    const QString pdftotext = QStringLiteral(CORVANET_PDFTOTEXT);
    if (pdftotext.isEmpty()) {
        ADD_FAILURE() << "pdftotext was not found when the build was configured: install poppler-utils and "
                         "configure again";
        return {};
    }
    QProcess process;
    process.start(pdftotext, options + QStringList{QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                                                   QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << path.toStdString() << ": "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace corvanet::testing
