#include "ui/known_point_dialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "text/point_reading.h"

namespace corvanet {
namespace {

// 点名, X, Y, H and 编码 with the problem under them in red; OK stays until
// the texts read.
class PointDialog final : public QDialog {
public:
    PointDialog(const QString& title, const PointTexts& start, std::function<QString(const PointTexts&)> check,
                QWidget* parent)
        : QDialog(parent), check_(std::move(check))
    {
        setWindowTitle(title);
        auto* form = new QFormLayout;
        const auto edit = [&](const char* label, const QString& text) {
            auto* e = new QLineEdit(text, this);
            form->addRow(QString::fromUtf8(label), e);
            return e;
        };
        name_ = edit("点名", start.name);
        x_ = edit("X（北）", start.x);
        y_ = edit("Y（东）", start.y);
        h_ = edit("H（可空）", start.h);
        code_ = edit("编码", start.code);
        name_->setMaxLength(4 * static_cast<int>(kMaxPointNameLength));
        problem_ = new QLabel(this);
        problem_->setTextFormat(Qt::PlainText);
        problem_->setWordWrap(true);
        problem_->setStyleSheet(QStringLiteral("color: #c00000"));
        problem_->hide();
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &PointDialog::Check);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(problem_);
        layout->addWidget(buttons);
        setMinimumWidth(360);
    }

    PointTexts texts() const { return {name_->text(), x_->text(), y_->text(), h_->text(), code_->text()}; }

private:
    void Check()
    {
        const QString problem = check_(texts());
        if (problem.isEmpty()) {
            accept();
            return;
        }
        problem_->setText(problem);
        problem_->show();
    }

    std::function<QString(const PointTexts&)> check_;
    QLineEdit *name_, *x_, *y_, *h_, *code_;
    QLabel* problem_;
};

// What to export: all or the selected points, DAT (with its encoding) or CSV.
class ExportDialog final : public QDialog {
public:
    ExportDialog(int all, int selected, QWidget* parent) : QDialog(parent)
    {
        setWindowTitle(QStringLiteral("导出已知点"));
        all_ = new QRadioButton(QStringLiteral("全部 %1 个点").arg(all), this);
        selected_ = new QRadioButton(QStringLiteral("所选的 %1 个点").arg(selected), this);
        selected_->setEnabled(selected > 0);
        (selected > 0 ? selected_ : all_)->setChecked(true);
        dat_ = new QRadioButton(QStringLiteral("DAT（点名,编码,Y,X,H，成图软件读取）"), this);
        auto* csv = new QRadioButton(QStringLiteral("CSV（name,X,Y,H,code,source，表格软件读取）"), this);
        dat_->setChecked(true);
        encoding_ = new QComboBox(this);
        encoding_->addItem(QStringLiteral("GB18030"));
        encoding_->addItem(QStringLiteral("UTF-8"));
        connect(dat_, &QRadioButton::toggled, encoding_, &QWidget::setEnabled);
        auto* scope = new QButtonGroup(this);
        scope->addButton(all_);
        scope->addButton(selected_);
        auto* format = new QButtonGroup(this);
        format->addButton(dat_);
        format->addButton(csv);

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("导出…"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("范围"), all_);
        form->addRow(QString(), selected_);
        form->addRow(QStringLiteral("格式"), dat_);
        form->addRow(QString(), csv);
        form->addRow(QStringLiteral("DAT 编码"), encoding_);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(buttons);
    }

    ExportChoice choice() const
    {
        ExportChoice c;
        c.format = dat_->isChecked() ? PointFileFormat::Dat : PointFileFormat::Csv;
        c.encoding = encoding_->currentIndex() == 0 ? PointEncoding::Gb18030 : PointEncoding::Utf8;
        c.selectedOnly = selected_->isChecked();
        return c;
    }

private:
    QRadioButton *all_, *selected_, *dat_;
    QComboBox* encoding_;
};

}  // namespace

QString DeletePointsQuestion(int count) { return QStringLiteral("删除所选的 %1 个已知点？").arg(count); }

std::optional<PointTexts> QtKnownPointDialogs::AskPoint(const QString& title, const PointTexts& start,
                                                        const std::function<QString(const PointTexts&)>& check)
{
    PointDialog dialog(title, start, check, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.texts();
}

bool QtKnownPointDialogs::ConfirmDelete(int count)
{
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), DeletePointsQuestion(count),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtKnownPointDialogs::ChooseImportFile()
{
    const QString path = QFileDialog::getOpenFileName(parent_, QStringLiteral("导入已知点"), folder_,
                                                      QStringLiteral("坐标文件 (*.dat *.csv *.txt);;所有文件 (*)"));
    if (!path.isEmpty()) folder_ = QFileInfo(path).absolutePath();
    return path;
}

bool QtKnownPointDialogs::ShowImportReport(const ImportReport& report)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(QStringLiteral("导入已知点"));
    auto* summary = new QLabel(report.summary, &dialog);
    summary->setTextFormat(Qt::PlainText);
    summary->setWordWrap(true);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(summary);
    if (!report.details.isEmpty()) {
        auto* details = new QPlainTextEdit(report.details, &dialog);
        details->setReadOnly(true);
        details->setLineWrapMode(QPlainTextEdit::NoWrap);
        layout->addWidget(details, 1);
        dialog.resize(640, 420);
    }
    auto* buttons = new QDialogButtonBox(&dialog);
    if (report.offersReplace) {
        buttons->addButton(QStringLiteral("替换"), QDialogButtonBox::AcceptRole);
        // Keeping is the default: replacing changes the job's coordinates.
        buttons->addButton(QStringLiteral("保留"), QDialogButtonBox::RejectRole)->setDefault(true);
    } else {
        buttons->addButton(QDialogButtonBox::Ok);
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted && report.offersReplace;
}

std::optional<ExportChoice> QtKnownPointDialogs::ChooseExport(int all, int selected)
{
    ExportDialog options(all, selected, parent_);
    if (options.exec() != QDialog::Accepted) return std::nullopt;
    ExportChoice choice = options.choice();
    const bool dat = choice.format == PointFileFormat::Dat;
    QFileDialog files(parent_, QStringLiteral("导出已知点"), folder_,
                      dat ? QStringLiteral("DAT 文件 (*.dat)") : QStringLiteral("CSV 文件 (*.csv)"));
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setDefaultSuffix(dat ? QStringLiteral("dat") : QStringLiteral("csv"));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return std::nullopt;
    choice.path = files.selectedFiles().front();
    folder_ = QFileInfo(choice.path).absolutePath();
    return choice;
}

void QtKnownPointDialogs::ShowProblem(const QString& message)
{
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), message, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace corvanet
