#pragma once
// The 已知点 window's questions and messages behind one small interface, so
// that the tests can answer them, and the Qt dialogs that ask them.
#include <QString>
#include <functional>
#include <optional>

#include "text/point_file.h"
#include "ui/known_point_form.h"

class QWidget;

namespace corvanet {

// What an import did, told to the user: a sentence or two, then the rows
// passed over and the conflicting points, one a line.
struct ImportReport {
    QString summary;
    QString details;
    // The file has points whose names the job has with other coordinates:
    // the report offers to replace them.
    bool offersReplace = false;
};

struct ExportChoice {
    QString path;
    PointFileFormat format = PointFileFormat::Dat;
    PointEncoding encoding = PointEncoding::Gb18030;
    bool selectedOnly = false;
};

class KnownPointDialogs {
public:
    virtual ~KnownPointDialogs() = default;
    // Asks for a point, starting from `start`. `check` says what is wrong
    // with texts (empty when nothing is): they are asked again until it
    // says nothing. None when the user cancels.
    virtual std::optional<PointTexts> AskPoint(const QString& title, const PointTexts& start,
                                               const std::function<QString(const PointTexts&)>& check) = 0;
    // Asks before `count` points are deleted; true to go ahead.
    virtual bool ConfirmDelete(int count) = 0;
    // The coordinate file to import; empty when the user cancels.
    virtual QString ChooseImportFile() = 0;
    // Shows what the import did; true when it offers to replace the
    // conflicting points and the user chooses 替换.
    virtual bool ShowImportReport(const ImportReport& report) = 0;
    // The file, format and points to export (`selected` of `all` are
    // selected); none when the user cancels.
    virtual std::optional<ExportChoice> ChooseExport(int all, int selected) = 0;
    // A problem the user acknowledges.
    virtual void ShowProblem(const QString& message) = 0;
};

// The question ConfirmDelete asks.
QString DeletePointsQuestion(int count);

// Qt dialogs over `parent`; files are looked for first in `folder`, then
// where the last one was chosen.
class QtKnownPointDialogs final : public KnownPointDialogs {
public:
    QtKnownPointDialogs(QWidget* parent, QString folder) : parent_(parent), folder_(std::move(folder)) {}
    std::optional<PointTexts> AskPoint(const QString& title, const PointTexts& start,
                                       const std::function<QString(const PointTexts&)>& check) override;
    bool ConfirmDelete(int count) override;
    QString ChooseImportFile() override;
    bool ShowImportReport(const ImportReport& report) override;
    std::optional<ExportChoice> ChooseExport(int all, int selected) override;
    void ShowProblem(const QString& message) override;

private:
    QWidget* parent_;
    QString folder_;
};

}  // namespace corvanet
