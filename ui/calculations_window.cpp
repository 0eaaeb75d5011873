#include "ui/calculations_window.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSqlError>
#include <QTableView>
#include <QVBoxLayout>

#include "store/job_file.h"
#include "ui/calculations_model.h"

namespace corvanet {

QString DeleteQuestion(int count)
{
    return QStringLiteral("删除所选的 %1 条计算记录？删除后无法恢复。").arg(count);
}

bool QtRecordDialogs::ConfirmDelete(int count)
{
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), DeleteQuestion(count),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    // Deleting cannot be undone: Enter alone does not do it.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtRecordDialogs::ShowProblem(const QString& message)
{
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), message, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);  // the message names a file, which may hold anything
    box.exec();
}

CalculationsWindow::CalculationsWindow(JobFile& job, QWidget* parent)
    : CalculationsWindow(job, nullptr, parent)
{
}

CalculationsWindow::CalculationsWindow(JobFile& job, std::unique_ptr<RecordDialogs> dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      job_(job),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtRecordDialogs>(this)),
      model_(new CalculationsModel(job.connectionName(), this)),
      view_(new QTableView(this)),
      filter_(new QLineEdit(this)),
      show_(new QPushButton(QStringLiteral("显示"), this)),
      export_(new QPushButton(QStringLiteral("导出点…"), this)),
      keep_(new QPushButton(QStringLiteral("存为已知点"), this)),
      delete_(new QPushButton(QStringLiteral("删除"), this)),
      problem_(new QLabel(this))
{
    setObjectName(QStringLiteral("CalculationsWindow"));
    setWindowTitle(QStringLiteral("计算记录 — %1").arg(QFileInfo(job.path()).fileName()));

    filter_->setPlaceholderText(QStringLiteral("按点名筛选"));
    filter_->setClearButtonEnabled(true);
    problem_->setWordWrap(true);
    problem_->setTextFormat(Qt::PlainText);
    problem_->setStyleSheet(QStringLiteral("color: red"));
    problem_->hide();

    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->setAlternatingRowColors(true);
    view_->verticalHeader()->hide();
    // One line a row, at a fixed height: no row is measured to lay the table out.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(QFontMetrics(view_->font()).height() + 6);
    QHeaderView* header = view_->horizontalHeader();
    header->setSortIndicator(CalculationsModel::Time, Qt::DescendingOrder);
    header->setSortIndicatorShown(true);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(true);
    // The widths come from sample texts, not from the rows: measuring the
    // rows would read them all.
    const QFontMetrics fm(view_->font());
    const auto width = [&](const char* sample) { return fm.horizontalAdvance(QString::fromUtf8(sample)) + 24; };
    const char* const kSamples[] = {"0000-00-00 00:00:00", "点名点名点名点名", "0000000.000", "00000000.000",
                                    "md（毫米）", "1/0000000", "-000.00", "限差（秒）", "检验", ""};
    for (int c = 0; c < CalculationsModel::ColumnCount - 1; ++c) view_->setColumnWidth(c, width(kSamples[c]));
    // The header does not sort the rows itself: the model queries again in the new order.
    connect(header, &QHeaderView::sortIndicatorChanged, this, [this](int column, Qt::SortOrder order) {
        model_->sort(column, order);
        Requeried(!model_->lastError().isValid());
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(filter_, 1);
    buttons->addSpacing(12);
    buttons->addWidget(show_);
    buttons->addWidget(export_);
    buttons->addWidget(keep_);
    buttons->addWidget(delete_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(view_, 1);
    layout->addWidget(problem_);

    connect(filter_, &QLineEdit::textChanged, this, &CalculationsWindow::FilterChanged);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CalculationsWindow::UpdateButtons);
    connect(model_, &QAbstractItemModel::modelReset, this, &CalculationsWindow::UpdateButtons);
    connect(show_, &QPushButton::clicked, this, [this] {
        const QList<qint64> ids = SelectedIds();
        if (ids.size() == 1) emit showRequested(ids.front());
    });
    connect(view_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit showRequested(model_->IdAt(index.row()));
    });
    connect(export_, &QPushButton::clicked, this, [this] {
        const QList<qint64> ids = SelectedIds();
        if (!ids.isEmpty()) emit exportRequested(ids);
    });
    connect(keep_, &QPushButton::clicked, this, [this] {
        const QList<qint64> ids = SelectedIds();
        if (!ids.isEmpty()) emit keepAsKnownRequested(ids);
    });
    connect(delete_, &QPushButton::clicked, this, &CalculationsWindow::DeleteSelected);

    Requeried(model_->Requery());
    UpdateButtons();
    resize(1180, 600);
}

CalculationsWindow::~CalculationsWindow() = default;

QList<qint64> CalculationsWindow::SelectedIds() const
{
    QModelIndexList rows = view_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QList<qint64> ids;
    ids.reserve(rows.size());
    for (const QModelIndex& row : rows) ids << model_->IdAt(row.row());
    return ids;
}

void CalculationsWindow::UpdateButtons()
{
    const qsizetype selected = view_->selectionModel()->selectedRows().size();
    show_->setEnabled(selected == 1);
    export_->setEnabled(selected > 0);
    keep_->setEnabled(selected > 0);
    delete_->setEnabled(selected > 0);
}

void CalculationsWindow::Requeried(bool ok)
{
    if (ok) {
        problem_->hide();
        return;
    }
    problem_->setText(QStringLiteral("无法读取作业文件“%1”（%2）。").arg(JobPathText(job_.path()), model_->lastError().text()));
    problem_->show();
}

void CalculationsWindow::FilterChanged(const QString& text)
{
    model_->SetFilter(text);
    Requeried(model_->Requery());
}

void CalculationsWindow::Refresh()
{
    const QList<qint64> selected = SelectedIds();
    const QSet<qint64> keep(selected.begin(), selected.end());
    const int rowsRead = model_->rowCount();
    const int scrolled = view_->verticalScrollBar()->value();

    Requeried(model_->Requery());
    // As many rows as were read before, so that the rows in view and the
    // selection among them come back; never more.
    while (model_->rowCount() < rowsRead && model_->canFetchMore()) model_->fetchMore();

    QItemSelection selection;
    if (!keep.isEmpty())
        for (int row = 0; row < model_->rowCount(); ++row)
            if (keep.contains(model_->IdAt(row)))
                selection.select(model_->index(row, 0), model_->index(row, CalculationsModel::ColumnCount - 1));
    view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    view_->verticalScrollBar()->setValue(scrolled);
    UpdateButtons();
}

void CalculationsWindow::DeleteSelected()
{
    const QList<qint64> ids = SelectedIds();
    if (ids.isEmpty() || !dialogs_->ConfirmDelete(static_cast<int>(ids.size()))) return;
    const std::vector<qint64> doomed(ids.begin(), ids.end());
    if (const auto problem = job_.Delete(doomed)) dialogs_->ShowProblem(problem->message);
    Refresh();
}

}  // namespace corvanet
