#pragma once
// 计算记录: the calculations of a job in a table, newest first, filtered by
// the start of the point name and sorted by any column, with the commands
// that act on the selected rows. Rows are read from the job as the table is
// scrolled to them, so a job of any size opens at once.
#include <QList>
#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace corvanet {

class CalculationsModel;
class JobFile;

// The window's questions and messages behind one small interface, so that
// the tests can answer them.
class RecordDialogs {
public:
    virtual ~RecordDialogs() = default;
    // Asks before `count` calculations are deleted; true to go ahead.
    virtual bool ConfirmDelete(int count) = 0;
    // A problem the user acknowledges: the job's own message.
    virtual void ShowProblem(const QString& message) = 0;
};

// QMessageBox over `parent`.
class QtRecordDialogs final : public RecordDialogs {
public:
    explicit QtRecordDialogs(QWidget* parent) : parent_(parent) {}
    bool ConfirmDelete(int count) override;
    void ShowProblem(const QString& message) override;

private:
    QWidget* parent_;
};

// The question ConfirmDelete asks.
QString DeleteQuestion(int count);

class CalculationsWindow final : public QWidget {
    Q_OBJECT
public:
    // Reads `job` through its connection and deletes through it: the job
    // must outlive the window (close or delete the window before the job).
    explicit CalculationsWindow(JobFile& job, QWidget* parent = nullptr);
    CalculationsWindow(JobFile& job, std::unique_ptr<RecordDialogs> dialogs, QWidget* parent = nullptr);
    ~CalculationsWindow() override;

    CalculationsModel& model() const { return *model_; }
    QTableView& view() const { return *view_; }
    QLineEdit& filterEdit() const { return *filter_; }
    QPushButton& showButton() const { return *show_; }
    QPushButton& exportButton() const { return *export_; }
    QPushButton& deleteButton() const { return *delete_; }
    QPushButton& keepAsKnownButton() const { return *keep_; }

    // The ids of the selected rows, in the table's order.
    QList<qint64> SelectedIds() const;

public slots:
    // Reads the job again with the filter and the order in force, keeping
    // the rows already read and the selection where those rows are still
    // there: for a calculation just appended, or rows deleted.
    void Refresh();

signals:
    // 显示: the one selected calculation, to be shown in the main window.
    void showRequested(qint64 id);
    // 导出点…: the points of the selected calculations.
    void exportRequested(QList<qint64> ids);
    // 存为已知点: P of the selected calculations, to join the known points.
    void keepAsKnownRequested(QList<qint64> ids);

private:
    void UpdateButtons();
    void DeleteSelected();
    void FilterChanged(const QString& text);
    void Requeried(bool ok);

    JobFile& job_;
    std::unique_ptr<RecordDialogs> dialogs_;
    CalculationsModel* model_;
    QTableView* view_;
    QLineEdit* filter_;
    QPushButton* show_;
    QPushButton* export_;
    QPushButton* keep_;
    QPushButton* delete_;
    QLabel* problem_;
};

}  // namespace corvanet
