#include "report/print_command.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "report/print_system.h"
#include "report/qt_report_printer.h"
#include "report/report_pdf.h"

namespace corvanet {
namespace {

const QString kTitle = QStringLiteral("打印");
const QString kJobTitle = QStringLiteral("Corvanet 报表");

class MessageBoxDialogs final : public PrintCommandDialogs {
public:
    bool OfferPdf(QWidget* parent, const QString& why) override
    {
        QMessageBox box(QMessageBox::Warning, kTitle, why, QMessageBox::NoButton, parent);
        box.setInformativeText(QStringLiteral("可以把这份报表另存为 PDF 文件，以后再打印。"));
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
        QMessageBox::warning(parent, kTitle, QStringLiteral("报表没有保存：") + why);
    }
};

void OfferPdfInstead(const SurveyRecord& record, const CalculationTrace& trace,
                     const std::optional<MisclosureTest>& test, QWidget* parent,
                     PrintCommandDialogs& dialogs, const QString& why)
{
    if (!dialogs.OfferPdf(parent, why)) return;
    QString path = dialogs.AskPdfPath(parent);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    std::string error;
    if (!WriteReportPdf(record, trace, test, QFile::encodeName(path).toStdString(), &error))
        dialogs.TellPdfFailed(parent, QString::fromStdString(error));
}

}  // namespace

void RunPrintCommand(const SurveyRecord& record, const CalculationTrace& trace,
                     const std::optional<MisclosureTest>& test, QWidget* parent,
                     PrintCommandDialogs& dialogs, PrintSystem& printSystem)
{
    // Ask first: a printer that cannot take the job costs the user nothing
    // but the message.
    const PrinterQueue queue = printSystem.DefaultQueue();
    if (queue.state != PrinterQueue::State::Ready) {
        OfferPdfInstead(record, trace, test, parent, dialogs, QueueProblemText(queue));
        return;
    }
    // The printer gets the very page the PDF offer writes, on its own paper.
    const QTemporaryDir spool;
    const QString page = spool.filePath(QStringLiteral("report.pdf"));
    try {
        if (!spool.isValid()) throw PrinterFailure("无法建立临时文件夹。");
        WriteReportFile(record, trace, test, queue.page, page);
    } catch (const PrinterFailure& failure) {
        OfferPdfInstead(record, trace, test, parent, dialogs,
                        QString::fromStdString(failure.what()) + QStringLiteral("报表没有打印。"));
        return;
    }
    const SentJob job = printSystem.Send(queue, page, kJobTitle);
    if (!job.created) OfferPdfInstead(record, trace, test, parent, dialogs, JobProblemText(queue, job));
}

void RunPrintCommand(const SurveyRecord& record, const CalculationTrace& trace,
                     const std::optional<MisclosureTest>& test, QWidget* parent)
{
    MessageBoxDialogs dialogs;
    const std::unique_ptr<PrintSystem> cups = CupsPrintSystem();
    RunPrintCommand(record, trace, test, parent, dialogs, *cups);
}

}  // namespace corvanet
