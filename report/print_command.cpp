#include "report/print_command.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "report/qt_report_printer.h"
#include "report/report_pdf.h"

namespace corvanet {
namespace {

const QString kTitle = QStringLiteral("打印");

class MessageBoxDialogs final : public PrintCommandDialogs {
public:
    bool OfferPdf(QWidget* parent, const QString& why) override
    {
        QMessageBox box(QMessageBox::Warning, kTitle, why, QMessageBox::NoButton, parent);
        box.setInformativeText(QStringLiteral("可以把这份报表另存为 PDF 文件,以后再打印。"));
        QPushButton* save = box.addButton(QStringLiteral("另存为 PDF…"), QMessageBox::AcceptRole);
        QPushButton* close = box.addButton(QStringLiteral("不保存"), QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.setEscapeButton(close);
        box.exec();
        return box.clickedButton() == save;
    }

    QString AskPdfPath(QWidget* parent) override
    {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("将报表另存为 PDF 文件"),
                                            QDir::home().filePath(QStringLiteral("报表.pdf")),
                                            QStringLiteral("PDF 文件 (*.pdf)"));
    }

    void TellPdfFailed(QWidget* parent, const QString& why) override
    {
        QMessageBox::warning(parent, kTitle, QStringLiteral("报表没有保存:") + why);
    }
};

void OfferPdfInstead(const SurveyRecord& record, QWidget* parent, PrintCommandDialogs& dialogs, const QString& why)
{
    if (!dialogs.OfferPdf(parent, why)) return;
    QString path = dialogs.AskPdfPath(parent);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    std::string error;
    if (!WriteReportPdf(record, path.toStdString(), &error)) dialogs.TellPdfFailed(parent, QString::fromStdString(error));
}

}  // namespace

std::unique_ptr<QPrinter> DefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("Corvanet 报表"));
    return printer;
}

void RunPrintCommand(const SurveyRecord& record, QWidget* parent, PrintCommandDialogs& dialogs,
                     const PrinterSource& printerSource)
{
    const std::unique_ptr<QPrinter> printer = printerSource();
    if (!printer) {
        OfferPdfInstead(record, parent, dialogs, QStringLiteral("没有找到已安装的打印机,报表没有打印。"));
        return;
    }
    try {
        PrintReportOn(record, *printer);
    } catch (const PrinterFailure& failure) {
        OfferPdfInstead(record, parent, dialogs,
                        QString::fromStdString(failure.what()) + QStringLiteral("报表没有打印。"));
    }
}

void RunPrintCommand(const SurveyRecord& record, QWidget* parent)
{
    MessageBoxDialogs dialogs;
    RunPrintCommand(record, parent, dialogs, DefaultPrinter);
}

}  // namespace corvanet
