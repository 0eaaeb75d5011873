#pragma once
// What the paper tests share: a PDF printer, and the text of a PDF.
#include <gtest/gtest.h>

#include <QProcess>
#include <QPrinter>
#include <QString>
#include <memory>

namespace corvanet::testing {

inline std::unique_ptr<QPrinter> PdfPrinter(const QString& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return printer;
}

// The text of a PDF file as pdftotext lays it out; empty, with a failure,
// when pdftotext is missing or fails.
inline QString PdfText(const QString& path)
{
    const QString pdftotext = QStringLiteral(CORVANET_PDFTOTEXT);
    if (pdftotext.isEmpty()) {
        ADD_FAILURE() << "pdftotext was not found when the build was configured: install poppler-utils and "
                         "configure again";
        return {};
    }
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                              QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << path.toStdString() << ": "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace corvanet::testing
