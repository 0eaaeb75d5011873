#pragma once
// The main window's context menu: right click anywhere on the window, the
// Menu key or Shift+F10. It names the open job and offers a new or another
// job, the sketch of the last calculation, a copy of its inputs and results
// for a spreadsheet, the report as a PDF file at any time, the distance
// meter's precision, and the program's version. A tooltip on the diagram
// says so.
#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "engine/tolerance.h"
#include "text/point_file.h"

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace corvanet {

class CalculationsWindow;
class JobFile;
class JobSession;
class KnownPointsWindow;
class MainWindow;
class SketchWindow;

// A file of points to write, as the export dialog chose it.
struct PointFileChoice {
    QString path;
    PointFileFormat format = PointFileFormat::Dat;
    PointEncoding encoding = PointEncoding::Gb18030;
};

// The dialogs of the menu's actions, behind an interface for the tests.
class WindowMenuDialogs {
public:
    virtual ~WindowMenuDialogs() = default;
    // The PDF file to write; empty when the user cancels.
    virtual QString AskPdfPath(QWidget* parent) = 0;
    virtual void TellPdfFailed(QWidget* parent, const QString& why) = 0;
    virtual void ShowAbout(QWidget* parent, const QString& title, const QString& text) = 0;
    // The distance meter's precision, starting from `now`; none when the user cancels.
    virtual std::optional<MeterPrecision> AskMeterPrecision(QWidget* parent, const MeterPrecision& now) = 0;
    // A job file to make, or to open; empty when the user cancels.
    virtual QString AskNewJobPath(QWidget* parent) = 0;
    virtual QString AskOpenJobPath(QWidget* parent) = 0;
    // A notice about the job: not a job, not recorded, damaged.
    virtual void TellJob(QWidget* parent, const QString& message) = 0;
    // The file the points go to, and its format; none when the user cancels.
    virtual std::optional<PointFileChoice> AskPointFile(QWidget* parent) = 0;
    // What was done, for the user to acknowledge.
    virtual void TellDone(QWidget* parent, const QString& message) = 0;
    // Known points whose names are taken with other coordinates: true to
    // replace them, after `report`.
    virtual bool AskReplaceKnownPoints(QWidget* parent, const QString& report) = 0;
};

class WindowMenu final : public QObject {
public:
    explicit WindowMenu(MainWindow& window);
    ~WindowMenu() override;

    // Tests answer the dialogs from a script; the menu keeps its own.
    void UseDialogs(WindowMenuDialogs& dialogs);

    // The window's job.
    JobSession& job() const { return *job_; }

    QMenu* menu() const { return menu_; }
    // By object name: "JobName", "NewJob", "OpenJob", "CalculationRecords", "KnownPoints", "ExportPoints",
    // "ShowSketch", "CopyResults", "SaveReportPdf", "MeterPrecision", "About".
    QAction* action(const QString& name) const;
    // Null until the sketch is first asked for.
    SketchWindow* sketchWindow() const { return sketch_; }
    // Null until 计算记录 is first asked for, and again after the job changes.
    CalculationsWindow* recordsWindow() const { return records_; }
    // The same for 已知点.
    KnownPointsWindow* knownPointsWindow() const { return known_; }

    // The tooltip on the window's diagram.
    static QString DiagramTip();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Popup(QWidget* over, const QPoint& globalPos);
    void ShowSketch();
    void CopyResults();
    void SaveReportPdf();
    void ChangeMeterPrecision();
    void About();
    void NewJob();
    void OpenJob();
    void NameJob();
    JobFile* UsableJob(QWidget* over, const QString& nothing);
    void ShowRecords();
    void ShowKnownPoints();
    void ExportAllPoints();
    // Writes the points of the calculations `ids` (none: all) to a file the
    // user chooses.
    void ExportPointsOf(std::optional<std::vector<qint64>> ids, QWidget* over);
    // 存为已知点: P of the calculations `ids` joins the known points.
    void KeepAsKnown(const QList<qint64>& ids);

    MainWindow& window_;
    QMenu* menu_;
    std::unique_ptr<WindowMenuDialogs> ownDialogs_;
    WindowMenuDialogs* dialogs_;
    SketchWindow* sketch_ = nullptr;
    JobSession* job_;
    CalculationsWindow* records_ = nullptr;
    KnownPointsWindow* known_ = nullptr;
};

// Installs the menu on `window`; the window owns it.
WindowMenu& InstallWindowMenu(MainWindow& window);
// The menu installed on `window`, or null.
WindowMenu* WindowMenuOf(MainWindow& window);

}  // namespace corvanet
