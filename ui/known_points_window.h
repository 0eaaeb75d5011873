#pragma once
// 已知点: the job's known points in a table, sorted by any column and
// filtered by name, with the commands that add, edit, delete, import and
// export them.
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace corvanet {

class JobFile;
class KnownPointDialogs;
class KnownPointModel;
class KnownPointSortModel;
struct PointTexts;

class KnownPointsWindow final : public QWidget {
    Q_OBJECT
public:
    // Reads and writes `job`: the job must outlive the window (close or
    // delete the window before the job).
    explicit KnownPointsWindow(JobFile& job, QWidget* parent = nullptr);
    KnownPointsWindow(JobFile& job, std::unique_ptr<KnownPointDialogs> dialogs, QWidget* parent = nullptr);
    ~KnownPointsWindow() override;

    KnownPointModel& model() const { return *model_; }
    KnownPointSortModel& rows() const { return *rows_; }
    QTableView& view() const { return *view_; }
    QLineEdit& filterEdit() const { return *filter_; }
    QPushButton& addButton() const { return *add_; }
    QPushButton& editButton() const { return *edit_; }
    QPushButton& deleteButton() const { return *delete_; }
    QPushButton& importButton() const { return *import_; }
    QPushButton& exportButton() const { return *export_; }
    // The line under the table: what the last command did, or a problem.
    QLabel& statusLine() const { return *status_; }

    // The names of the selected points, in the table's order.
    QStringList SelectedNames() const;

public slots:
    // Reads the job's points again, keeping the filter, the order and the
    // selected points that are still there.
    void Reload();

signals:
    // The job's known points changed: added, edited, deleted, imported or
    // replaced here.
    void pointsChanged();

private:
    void AddPoint();
    void EditSelected();
    void DeleteSelected();
    void Import();
    void Export();
    // Reads the job's points again and selects those named `select`.
    void Load(const QStringList& select);
    // What is wrong with a point's texts: a problem of their own, or a name
    // that a point other than `oldName` has.
    QString CheckPoint(const PointTexts& texts, const QString& oldName) const;
    void UpdateButtons();
    void Tell(const QString& text, bool problem = false);
    void Changed(const QString& text);

    JobFile& job_;
    std::unique_ptr<KnownPointDialogs> dialogs_;
    KnownPointModel* model_;
    KnownPointSortModel* rows_;
    QTableView* view_;
    QLineEdit* filter_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* import_;
    QPushButton* export_;
    QLabel* status_;
};

}  // namespace corvanet
