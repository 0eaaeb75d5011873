#include "ui/known_points_window.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "store/job_file.h"
#include "store/known_points.h"
#include "ui/known_point_dialogs.h"
#include "ui/known_point_files.h"
#include "ui/known_point_form.h"
#include "ui/known_point_model.h"

namespace corvanet {
namespace {

const QString kEntered = QStringLiteral("entered");

QHash<QString, KnownPoint> ByName(const std::vector<KnownPoint>& points)
{
    QHash<QString, KnownPoint> byName;
    byName.reserve(static_cast<qsizetype>(points.size()));
    for (const KnownPoint& p : points) byName.insert(p.name, p);
    return byName;
}

}  // namespace

KnownPointsWindow::KnownPointsWindow(JobFile& job, QWidget* parent) : KnownPointsWindow(job, nullptr, parent) {}

KnownPointsWindow::KnownPointsWindow(JobFile& job, std::unique_ptr<KnownPointDialogs> dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      job_(job),
      dialogs_(dialogs ? std::move(dialogs)
                       : std::make_unique<QtKnownPointDialogs>(this, QFileInfo(job.path()).absolutePath())),
      model_(new KnownPointModel(this)),
      rows_(new KnownPointSortModel(this)),
      view_(new QTableView(this)),
      filter_(new QLineEdit(this)),
      add_(new QPushButton(QStringLiteral("添加…"), this)),
      edit_(new QPushButton(QStringLiteral("编辑…"), this)),
      delete_(new QPushButton(QStringLiteral("删除"), this)),
      import_(new QPushButton(QStringLiteral("导入…"), this)),
      export_(new QPushButton(QStringLiteral("导出…"), this)),
      status_(new QLabel(this))
{
    setObjectName(QStringLiteral("KnownPointsWindow"));
    setWindowTitle(QStringLiteral("已知点 — %1").arg(QFileInfo(job.path()).fileName()));

    filter_->setPlaceholderText(QStringLiteral("按点名筛选"));
    filter_->setClearButtonEnabled(true);
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);

    rows_->setSourceModel(model_);
    view_->setModel(rows_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->setAlternatingRowColors(true);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(QFontMetrics(view_->font()).height() + 6);
    QHeaderView* header = view_->horizontalHeader();
    header->setHighlightSections(false);
    header->setStretchLastSection(true);
    const QFontMetrics fm(view_->font());
    const auto width = [&](const char* sample) { return fm.horizontalAdvance(QString::fromUtf8(sample)) + 24; };
    const char* const kSamples[] = {"点名点名点名点名", "00000000.000", "00000000.000", "0000.000", "编码编码编码"};
    for (int c = 0; c < KnownPointModel::Source; ++c) view_->setColumnWidth(c, width(kSamples[c]));
    view_->setSortingEnabled(true);
    view_->sortByColumn(KnownPointModel::Name, Qt::AscendingOrder);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(filter_, 1);
    buttons->addSpacing(12);
    for (QPushButton* b : {add_, edit_, delete_, import_, export_}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(view_, 1);
    layout->addWidget(status_);

    connect(filter_, &QLineEdit::textChanged, rows_, &KnownPointSortModel::SetNameFilter);
    connect(rows_, &QAbstractItemModel::rowsRemoved, this, &KnownPointsWindow::UpdateButtons);
    connect(rows_, &QAbstractItemModel::rowsInserted, this, &KnownPointsWindow::UpdateButtons);
    connect(rows_, &QAbstractItemModel::modelReset, this, &KnownPointsWindow::UpdateButtons);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &KnownPointsWindow::UpdateButtons);
    connect(view_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        view_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        EditSelected();
    });
    connect(add_, &QPushButton::clicked, this, &KnownPointsWindow::AddPoint);
    connect(edit_, &QPushButton::clicked, this, &KnownPointsWindow::EditSelected);
    connect(delete_, &QPushButton::clicked, this, &KnownPointsWindow::DeleteSelected);
    connect(import_, &QPushButton::clicked, this, &KnownPointsWindow::Import);
    connect(export_, &QPushButton::clicked, this, &KnownPointsWindow::Export);

    Load({});
    resize(760, 520);
}

KnownPointsWindow::~KnownPointsWindow() = default;

QStringList KnownPointsWindow::SelectedNames() const
{
    QModelIndexList selected = view_->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList names;
    names.reserve(selected.size());
    for (const QModelIndex& row : selected) names << model_->PointAt(rows_->mapToSource(row).row()).name;
    return names;
}

void KnownPointsWindow::Reload() { Load(SelectedNames()); }

void KnownPointsWindow::Load(const QStringList& select)
{
    auto all = AllKnownPoints(job_);
    if (const auto* problem = std::get_if<JobProblem>(&all)) {
        Tell(problem->message, true);
        return;
    }
    model_->SetPoints(std::move(std::get<std::vector<KnownPoint>>(all)));
    const QSet<QString> wanted(select.begin(), select.end());
    QItemSelection selection;
    for (int row = 0; row < rows_->rowCount() && !wanted.isEmpty(); ++row) {
        const QModelIndex index = rows_->index(row, 0);
        if (wanted.contains(model_->PointAt(rows_->mapToSource(index).row()).name))
            selection.select(index, rows_->index(row, KnownPointModel::ColumnCount - 1));
    }
    view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!selection.isEmpty()) view_->scrollTo(selection.indexes().front());
    UpdateButtons();
}

QString KnownPointsWindow::CheckPoint(const PointTexts& texts, const QString& oldName) const
{
    const auto read = ReadPointTexts(texts);
    if (const QString* problem = std::get_if<QString>(&read)) return *problem;
    const QString& name = std::get<KnownPoint>(read).name;
    if (name == oldName) return {};
    const auto found = FindKnownPoint(job_, name);
    if (const auto* problem = std::get_if<JobProblem>(&found)) return problem->message;
    return std::get<std::optional<KnownPoint>>(found) ? NameTakenText(name) : QString();
}

void KnownPointsWindow::UpdateButtons()
{
    const qsizetype selected = view_->selectionModel()->selectedRows().size();
    edit_->setEnabled(selected == 1);
    delete_->setEnabled(selected > 0);
    export_->setEnabled(!model_->points().empty());
}

void KnownPointsWindow::Tell(const QString& text, bool problem)
{
    status_->setStyleSheet(problem ? QStringLiteral("color: #c00000") : QString());
    status_->setText(text);
}

void KnownPointsWindow::Changed(const QString& text)
{
    Tell(text);
    emit pointsChanged();
}

void KnownPointsWindow::AddPoint()
{
    const auto check = [this](const PointTexts& t) { return CheckPoint(t, QString()); };
    const auto texts = dialogs_->AskPoint(QStringLiteral("添加已知点"), {}, check);
    if (!texts) return;
    // Checked again: another program may have taken the name meanwhile.
    if (const QString problem = check(*texts); !problem.isEmpty()) {
        dialogs_->ShowProblem(problem);
        return;
    }
    KnownPoint point = std::get<KnownPoint>(ReadPointTexts(*texts));
    point.source = kEntered;
    const auto merged = AddKnownPoints(job_, std::span(&point, 1), false);
    if (const auto* problem = std::get_if<JobProblem>(&merged)) {
        dialogs_->ShowProblem(problem->message);
        return;
    }
    if (std::get<KnownPointMerge>(merged).added == 0) {
        dialogs_->ShowProblem(NameTakenText(point.name));
        return;
    }
    Load({point.name});
    Changed(QStringLiteral("已添加已知点“%1”。").arg(point.name));
}

void KnownPointsWindow::EditSelected()
{
    const QStringList names = SelectedNames();
    if (names.size() != 1) return;
    const auto& points = model_->points();
    const auto it = std::find_if(points.begin(), points.end(), [&](const KnownPoint& p) { return p.name == names.front(); });
    if (it == points.end()) return;
    const KnownPoint before = *it;
    const auto check = [this, &before](const PointTexts& t) { return CheckPoint(t, before.name); };
    const auto texts = dialogs_->AskPoint(QStringLiteral("编辑已知点"), TextsOf(before), check);
    if (!texts) return;
    if (const QString problem = check(*texts); !problem.isEmpty()) {
        dialogs_->ShowProblem(problem);
        return;
    }
    KnownPoint after = std::get<KnownPoint>(ReadPointTexts(*texts));
    after.source = EditedSource(before, after);
    if (after.name == before.name && after.code == before.code && SameCoordinates(after, before)) return;
    if (const auto problem = ReplaceKnownPoint(job_, before.name, after)) {
        dialogs_->ShowProblem(problem->message);
        return;
    }
    Load({after.name});
    Changed(QStringLiteral("已修改已知点“%1”。").arg(after.name));
}

void KnownPointsWindow::DeleteSelected()
{
    const QStringList names = SelectedNames();
    if (names.isEmpty() || !dialogs_->ConfirmDelete(static_cast<int>(names.size()))) return;
    if (const auto problem = DeleteKnownPoints(job_, names)) {
        dialogs_->ShowProblem(problem->message);
        Reload();
        return;
    }
    Load({});
    Changed(QStringLiteral("已删除 %1 个已知点。").arg(names.size()));
}

void KnownPointsWindow::Import()
{
    const QString path = dialogs_->ChooseImportFile();
    if (path.isEmpty()) return;
    auto read = ReadImportFile(path);
    if (const QString* problem = std::get_if<QString>(&read)) {
        dialogs_->ShowProblem(*problem);
        return;
    }
    const PointFileReading& reading = std::get<PointFileReading>(read);
    const QString file = QFileInfo(path).fileName();
    const std::vector<KnownPoint> points = KnownPointsOf(reading, file);
    const auto merged = AddKnownPoints(job_, points, false);
    if (const auto* problem = std::get_if<JobProblem>(&merged)) {
        dialogs_->ShowProblem(problem->message);
        return;
    }
    const KnownPointMerge& merge = std::get<KnownPointMerge>(merged);
    Reload();
    const ImportReport report = MakeImportReport(reading, merge, ByName(model_->points()));
    const QString done = QStringLiteral("“%1”：%2").arg(file, report.summary.section(QLatin1Char('\n'), 0, 0));
    if (merge.added > 0) Changed(done);
    else Tell(done);
    if (!dialogs_->ShowImportReport(report) || merge.conflicts.empty()) return;

    const auto replaced = AddKnownPoints(job_, merge.conflicts, true);
    if (const auto* problem = std::get_if<JobProblem>(&replaced)) {
        dialogs_->ShowProblem(problem->message);
        return;
    }
    Reload();
    Changed(done + QStringLiteral("替换了 %1 个点。").arg(std::get<KnownPointMerge>(replaced).replaced));
}

void KnownPointsWindow::Export()
{
    const QStringList selected = SelectedNames();
    const auto choice = dialogs_->ChooseExport(static_cast<int>(model_->points().size()), static_cast<int>(selected.size()));
    if (!choice) return;
    std::vector<KnownPoint> points;
    if (choice->selectedOnly) {
        const QHash<QString, KnownPoint> byName = ByName(model_->points());
        for (const QString& name : selected) points.push_back(byName.value(name));
    } else {
        points = model_->points();
        std::stable_sort(points.begin(), points.end(),
                         [](const KnownPoint& a, const KnownPoint& b) { return NameLess(a.name, b.name); });
    }
    const auto bytes = KnownPointFileBytes(points, choice->format, choice->encoding);
    if (const QString* refusal = std::get_if<QString>(&bytes)) {
        dialogs_->ShowProblem(QStringLiteral("没有导出：%1。").arg(*refusal));
        return;
    }
    if (const auto problem = WritePointFile(choice->path, std::get<QByteArray>(bytes))) {
        dialogs_->ShowProblem(*problem);
        return;
    }
    Tell(QStringLiteral("已导出 %1 个已知点到“%2”。").arg(points.size()).arg(JobPathText(choice->path)));
}

}  // namespace corvanet
