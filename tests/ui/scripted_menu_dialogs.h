#pragma once
// The window menu's dialogs answered from a script, with what they were told.
#include <QString>
#include <optional>
#include <vector>

#include "app/window_menu.h"

namespace corvanet::testing {

class ScriptedMenuDialogs final : public WindowMenuDialogs {
public:
    QString AskPdfPath(QWidget*) override { return pdfPath; }
    void TellPdfFailed(QWidget*, const QString& why) override { failures.push_back(why); }
    void ShowAbout(QWidget*, const QString& title, const QString& text) override { about = title + "\n" + text; }
    std::optional<MeterPrecision> AskMeterPrecision(QWidget*, const MeterPrecision& now) override
    {
        offered = now;
        return meter;
    }
    QString AskNewJobPath(QWidget*) override { return jobPath; }
    QString AskOpenJobPath(QWidget*) override { return jobPath; }
    void TellJob(QWidget*, const QString& message) override { jobMessages.push_back(message); }
    std::optional<PointFileChoice> AskPointFile(QWidget*) override { return pointFile; }
    void TellDone(QWidget*, const QString& message) override { done.push_back(message); }
    bool AskReplaceKnownPoints(QWidget*, const QString& report) override
    {
        replaceAsked.push_back(report);
        return replace;
    }

    QString pdfPath;
    std::optional<MeterPrecision> meter;  // the answer; none: Cancel
    std::optional<MeterPrecision> offered;
    std::vector<QString> failures;
    QString about;
    QString jobPath;
    std::vector<QString> jobMessages;
    std::optional<PointFileChoice> pointFile;  // none: Cancel
    std::vector<QString> done;
    bool replace = false;  // the answer to replacing known points
    std::vector<QString> replaceAsked;
};

}  // namespace corvanet::testing
