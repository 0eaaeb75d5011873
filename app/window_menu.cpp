#include "app/window_menu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QToolTip>

#include "text/version.h"
#include "report/report_pdf.h"
#include "text/result_columns.h"
#include "app/job_session.h"
#include "store/known_points.h"
#include "store/point_export.h"
#include "ui/calculations_window.h"
#include "ui/known_points_window.h"
#include "ui/main_window.h"
#include "ui/meter_precision_dialog.h"
#include "ui/sketch_window.h"

namespace corvanet {
namespace {

// The controls of the diagram above the frame: the points, their
// coordinates, the sides' names and the five lines.
constexpr const char* kDiagram[] = {"Label41", "Label42", "Label43", "Label44", "Label45", "Label46", "Label47",
                                    "Label48", "Label49", "Label50", "Label51", "Line1",   "Line2",   "Line3",
                                    "Line4",   "Line5"};

class QtMenuDialogs final : public WindowMenuDialogs {
public:
    QString AskPdfPath(QWidget* parent) override
    {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("另存报表为 PDF 文件"),
                                            QDir::home().filePath(QStringLiteral("报表.pdf")),
                                            QStringLiteral("PDF 文件 (*.pdf)"));
    }
    void TellPdfFailed(QWidget* parent, const QString& why) override
    {
        QMessageBox::warning(parent, QStringLiteral("另存报表"), QStringLiteral("报表没有保存：") + why);
    }
    void ShowAbout(QWidget* parent, const QString& title, const QString& text) override
    {
        QMessageBox::about(parent, title, text);
    }
    std::optional<MeterPrecision> AskMeterPrecision(QWidget* parent, const MeterPrecision& now) override
    {
        MeterPrecisionDialog dialog(now, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.meter();
    }
    QString AskNewJobPath(QWidget* parent) override
    {
        // An existing file is opened as a job, never replaced: no question
        // of overwriting.
        return QFileDialog::getSaveFileName(parent, QStringLiteral("新建作业"), JobFolder().filePath(QStringLiteral("作业.cvjob")),
                                            kJobFilter, nullptr, QFileDialog::DontConfirmOverwrite);
    }
    QString AskOpenJobPath(QWidget* parent) override
    {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("打开作业"), JobFolder().path(), kJobFilter);
    }
    void TellJob(QWidget* parent, const QString& message) override
    {
        QMessageBox::warning(parent, QStringLiteral("作业"), message);
    }
    std::optional<PointFileChoice> AskPointFile(QWidget* parent) override
    {
        const QString datGb = QStringLiteral("DAT 点文件，GB18030（测图软件用） (*.dat)");
        const QString datUtf8 = QStringLiteral("DAT 点文件，UTF-8 (*.dat)");
        const QString csv = QStringLiteral("CSV 表格，UTF-8 (*.csv)");
        QString filter = datGb;
        QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("导出点"), QDir::home().filePath(QStringLiteral("点.dat")),
                                                    QStringList{datGb, datUtf8, csv}.join(QStringLiteral(";;")), &filter);
        if (path.isEmpty()) return std::nullopt;
        PointFileChoice choice;
        choice.format = filter == csv ? PointFileFormat::Csv : PointFileFormat::Dat;
        choice.encoding = filter == datUtf8 ? PointEncoding::Utf8 : PointEncoding::Gb18030;
        const QString extension = choice.format == PointFileFormat::Csv ? QStringLiteral(".csv") : QStringLiteral(".dat");
        if (!path.endsWith(extension, Qt::CaseInsensitive)) path += extension;
        choice.path = path;
        return choice;
    }
    void TellDone(QWidget* parent, const QString& message) override
    {
        QMessageBox::information(parent, QStringLiteral("作业"), message);
    }
    bool AskReplaceKnownPoints(QWidget* parent, const QString& report) override
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("已知点"), report, QMessageBox::NoButton, parent);
        box.setTextFormat(Qt::PlainText);
        QPushButton* replace = box.addButton(QStringLiteral("替换"), QMessageBox::DestructiveRole);
        box.setDefaultButton(box.addButton(QStringLiteral("保留"), QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == replace;
    }

private:
    static inline const QString kJobFilter = QStringLiteral("Corvanet 作业 (*.cvjob)");
    static QDir JobFolder() { return QDir::home(); }
};

// A coordinate in full: points that differ in the last digit differ here too.
QString Number(double value) { return QString::fromStdString(TableNumber(value)); }

QRect DiagramArea(const QWidget& window)
{
    QRect area;
    for (const char* name : kDiagram)
        if (const auto* control = window.findChild<QWidget*>(QString::fromLatin1(name)))
            area |= control->geometry();
    return area;
}

}  // namespace

WindowMenu::WindowMenu(MainWindow& window)
    : QObject(&window), window_(window), menu_(new QMenu(&window)), ownDialogs_(std::make_unique<QtMenuDialogs>()),
      dialogs_(ownDialogs_.get()), job_(new JobSession(window, *dialogs_))
{
    setObjectName(QStringLiteral("WindowMenu"));
    menu_->setObjectName(QStringLiteral("ContextMenu"));
    const auto add = [this](const char* name, const QString& text, void (WindowMenu::*run)()) {
        QAction* a = menu_->addAction(text, this, run);
        a->setObjectName(QString::fromLatin1(name));
    };
    // The open job by name, its path in the tooltip; not a command.
    add("JobName", QString(), &WindowMenu::NameJob);
    action(QStringLiteral("JobName"))->setEnabled(false);
    add("NewJob", QStringLiteral("新建作业…"), &WindowMenu::NewJob);
    add("OpenJob", QStringLiteral("打开作业…"), &WindowMenu::OpenJob);
    add("CalculationRecords", QStringLiteral("计算记录…"), &WindowMenu::ShowRecords);
    add("KnownPoints", QStringLiteral("已知点…"), &WindowMenu::ShowKnownPoints);
    add("ExportPoints", QStringLiteral("导出点…"), &WindowMenu::ExportAllPoints);
    menu_->addSeparator();
    add("ShowSketch", QStringLiteral("图形…"), &WindowMenu::ShowSketch);
    add("CopyResults", QStringLiteral("复制结果"), &WindowMenu::CopyResults);
    add("SaveReportPdf", QStringLiteral("另存报表为 PDF…"), &WindowMenu::SaveReportPdf);
    menu_->addSeparator();
    add("MeterPrecision", QStringLiteral("测距精度…"), &WindowMenu::ChangeMeterPrecision);
    menu_->addSeparator();
    add("About", QStringLiteral("关于 Corvanet"), &WindowMenu::About);

    // The keyboard's ways to the menu, wherever the focus is in the window.
    auto* keys = new QAction(&window);
    keys->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    keys->setShortcutContext(Qt::WindowShortcut);
    window.addAction(keys);
    QObject::connect(keys, &QAction::triggered, this, [this] {
        QWidget* over = window_.focusWidget() ? window_.focusWidget() : &window_;
        Popup(over, over->mapToGlobal(over->rect().center()));
    });

    // Fields have an edit menu of their own; the others pass the event up to the window.
    window.installEventFilter(this);
    for (QLineEdit* field : window.findChildren<QLineEdit*>()) field->installEventFilter(this);

    const auto redraw = [this] {
        if (sketch_) sketch_->update();
    };
    connect(&window, &MainWindow::calculationEnded, this, redraw);
    connect(&window, &MainWindow::meterChanged, this, redraw);
    connect(job_, &JobSession::jobChanged, this, [this] {
        // The job's windows read the job they were opened on.
        delete std::exchange(records_, nullptr);
        delete std::exchange(known_, nullptr);
        NameJob();
    });
    connect(job_, &JobSession::recorded, this, [this] {
        if (records_) records_->Refresh();
    });
    NameJob();
}

// The job's windows read through its connection: they go first.
WindowMenu::~WindowMenu()
{
    delete records_;
    delete known_;
}

void WindowMenu::UseDialogs(WindowMenuDialogs& dialogs)
{
    dialogs_ = &dialogs;
    job_->UseDialogs(dialogs);
}

QAction* WindowMenu::action(const QString& name) const { return menu_->findChild<QAction*>(name); }

QString WindowMenu::DiagramTip()
{
    return QStringLiteral("右键单击窗口（或按菜单键、Shift+F10）打开菜单：作业、图形、复制结果、另存报表为 PDF、测距精度、关于。");
}

bool WindowMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        auto* e = static_cast<QContextMenuEvent*>(event);
        // The Menu key may come both as a shortcut and as the platform's menu event.
        if (menu_->isVisible()) return true;
        Popup(static_cast<QWidget*>(watched), e->globalPos());
        return true;
    }
    if (event->type() == QEvent::ToolTip && watched == &window_) {
        auto* e = static_cast<QHelpEvent*>(event);
        const QRect area = DiagramArea(window_);
        if (area.contains(e->pos())) {
            QToolTip::showText(e->globalPos(), DiagramTip(), &window_, area);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowMenu::Popup(QWidget* over, const QPoint& globalPos)
{
    // Nothing to copy before the first calculation.
    action(QStringLiteral("CopyResults"))
        ->setEnabled(SceneOf(window_.memory(), window_.trace(), window_.meter()).outcome != nullptr);
    auto* field = qobject_cast<QLineEdit*>(over);
    if (!field) {
        menu_->popup(globalPos);
        return;
    }
    // A field keeps its own edit actions, with the window's below them.
    QMenu* edit = field->createStandardContextMenu();
    edit->setObjectName(QStringLiteral("FieldContextMenu"));
    edit->setAttribute(Qt::WA_DeleteOnClose);
    edit->addSeparator();
    edit->addActions(menu_->actions());
    edit->popup(globalPos);
}

void WindowMenu::ShowSketch()
{
    if (!sketch_) sketch_ = new SketchWindow(window_, &window_);
    sketch_->show();
    sketch_->raise();
    sketch_->activateWindow();
    sketch_->update();
}

void WindowMenu::CopyResults()
{
    // The same results and note as the sketch.
    const SketchScene shown = SceneOf(window_.memory(), window_.trace(), window_.meter());
    if (!shown.outcome) return;
    QApplication::clipboard()->setText(
        QString::fromStdString(TabSeparatedResults(*shown.outcome, shown.test, shown.staleNote)));
}

void WindowMenu::SaveReportPdf()
{
    QString path = dialogs_->AskPdfPath(&window_);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    std::string error;
    // The same page as Print, stale marks and note included.
    if (!WriteReportPdf(window_.record(), window_.trace(), window_.misclosureTest(),
                        QFile::encodeName(path).toStdString(), &error))
        dialogs_->TellPdfFailed(&window_, QString::fromStdString(error));
}

void WindowMenu::ChangeMeterPrecision()
{
    if (const std::optional<MeterPrecision> meter = dialogs_->AskMeterPrecision(&window_, window_.meter())) {
        SaveMeterPrecision(UserSettings(), *meter);
        window_.SetMeter(*meter);
    }
}

void WindowMenu::About()
{
    dialogs_->ShowAbout(&window_, QStringLiteral("关于 Corvanet"),
                        QStringLiteral("Corvanet %1\n\n固定角内插点：三条观测边按一个条件平差，由 A、B、C 三点推算待定点 P，"
                                       "并评定精度（点位误差椭圆、平差检核）。")
                            .arg(QStringLiteral(CORVANET_VERSION)));
}

void WindowMenu::NameJob()
{
    QAction* name = action(QStringLiteral("JobName"));
    const QString path = job_->path();
    if (path.isEmpty()) {
        name->setText(QStringLiteral("作业：（尚未打开）"));
        name->setToolTip(QString());
        return;
    }
    name->setText(QStringLiteral("作业：%1%2").arg(QFileInfo(path).fileName(),
                                                 job_->job() ? QString() : QStringLiteral("（不能记入）")));
    name->setToolTip(JobPathText(path));
}

// The open job, for a command that needs it; null, after saying why, when it
// cannot be opened now.
JobFile* WindowMenu::UsableJob(QWidget* over, const QString& nothing)
{
    job_->EnsureOpen();
    if (JobFile* job = job_->job()) return job;
    dialogs_->TellJob(over, QStringLiteral("作业“%1”现在不能打开，%2。").arg(JobPathText(job_->path()), nothing));
    return nullptr;
}

namespace {
void Present(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
}  // namespace

void WindowMenu::ShowRecords()
{
    JobFile* job = UsableJob(&window_, QStringLiteral("没有计算记录可看"));
    if (!job) return;
    if (!records_) {
        records_ = new CalculationsWindow(*job, &window_);
        records_->setWindowFlag(Qt::Window);
        connect(records_, &CalculationsWindow::showRequested, job_, &JobSession::Show);
        connect(records_, &CalculationsWindow::exportRequested, this, [this](const QList<qint64>& ids) {
            ExportPointsOf(std::vector<qint64>(ids.begin(), ids.end()), records_);
        });
        connect(records_, &CalculationsWindow::keepAsKnownRequested, this, &WindowMenu::KeepAsKnown);
    }
    Present(records_);
}

void WindowMenu::ShowKnownPoints()
{
    JobFile* job = UsableJob(&window_, QStringLiteral("没有已知点可看"));
    if (!job) return;
    if (!known_) {
        known_ = new KnownPointsWindow(*job, &window_);
        known_->setWindowFlag(Qt::Window);
    }
    Present(known_);
}

void WindowMenu::ExportAllPoints() { ExportPointsOf(std::nullopt, &window_); }

void WindowMenu::ExportPointsOf(std::optional<std::vector<qint64>> ids, QWidget* over)
{
    const JobFile* job = UsableJob(over, QStringLiteral("没有点可导出"));
    if (!job) return;
    const std::optional<PointFileChoice> choice = dialogs_->AskPointFile(over);
    if (!choice) return;
    const auto done = ExportPoints(*job, choice->path, {choice->format, choice->encoding, std::move(ids)});
    if (const auto* problem = std::get_if<QString>(&done)) {
        dialogs_->TellJob(over, *problem);
        return;
    }
    dialogs_->TellDone(over, QStringLiteral("已导出 %1 个点到“%2”。").arg(std::get<long long>(done)).arg(JobPathText(choice->path)));
}

void WindowMenu::KeepAsKnown(const QList<qint64>& ids)
{
    JobFile* job = UsableJob(records_, QStringLiteral("没有点可存"));
    if (!job) return;
    std::vector<KnownPoint> points;
    int without = 0;
    for (const qint64 id : ids) {
        const auto read = job->Calculation(id);
        if (const auto* problem = std::get_if<JobProblem>(&read)) {
            dialogs_->TellJob(records_, problem->message);
            return;
        }
        const auto& stored = std::get<std::optional<StoredCalculation>>(read);
        if (const auto point = stored ? ComputedPoint(*stored) : std::nullopt)
            points.push_back(*point);
        else
            ++without;
    }
    const auto merged = AddKnownPoints(*job, points, false);
    if (const auto* problem = std::get_if<JobProblem>(&merged)) {
        dialogs_->TellJob(records_, problem->message);
        return;
    }
    const KnownPointMerge& merge = std::get<KnownPointMerge>(merged);
    if (known_ && merge.added) known_->Reload();
    QString report = QStringLiteral("%1 个点已存为已知点，%2 个点已有且相同。").arg(merge.added).arg(merge.same);
    if (without) report += QStringLiteral("\n%1 条记录没有点：计算中止，或没有点名。").arg(without);
    if (merge.conflicts.empty()) {
        dialogs_->TellDone(records_, report);
        return;
    }
    report += QStringLiteral("\n以下点名已有坐标不同的已知点，保留了原有的点：");
    for (const KnownPoint& offered : merge.conflicts) {
        const auto there = FindKnownPoint(*job, offered.name);
        const auto* kept = std::get_if<std::optional<KnownPoint>>(&there);
        report += QStringLiteral("\n%1：原有 X=%2，Y=%3；本次 X=%4，Y=%5")
                      .arg(offered.name)
                      .arg(kept && *kept ? Number((*kept)->x) : QString(), kept && *kept ? Number((*kept)->y) : QString(),
                           Number(offered.x), Number(offered.y));
    }
    if (!dialogs_->AskReplaceKnownPoints(records_, report + QStringLiteral("\n\n用本次的坐标替换它们吗？"))) return;
    const auto replaced = AddKnownPoints(*job, merge.conflicts, true);
    if (const auto* problem = std::get_if<JobProblem>(&replaced)) dialogs_->TellJob(records_, problem->message);
    if (known_) known_->Reload();
}

void WindowMenu::NewJob()
{
    QString path = dialogs_->AskNewJobPath(&window_);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".cvjob"), Qt::CaseInsensitive)) path += QStringLiteral(".cvjob");
    if (const auto problem = job_->Open(path, true))
        dialogs_->TellJob(&window_, problem->message + QStringLiteral("窗口仍使用作业“%1”。").arg(JobPathText(job_->path())));
}

void WindowMenu::OpenJob()
{
    const QString path = dialogs_->AskOpenJobPath(&window_);
    if (path.isEmpty()) return;
    if (const auto problem = job_->Open(path, false))
        dialogs_->TellJob(&window_, problem->message + QStringLiteral("窗口仍使用作业“%1”。").arg(JobPathText(job_->path())));
}

WindowMenu& InstallWindowMenu(MainWindow& window) { return *new WindowMenu(window); }

WindowMenu* WindowMenuOf(MainWindow& window)
{
    return dynamic_cast<WindowMenu*>(window.findChild<QObject*>(QStringLiteral("WindowMenu"), Qt::FindDirectChildrenOnly));
}

}  // namespace corvanet
