#pragma once
// The report as plain text, for the command-line tool.
#include <string>
#include <string_view>

#include "engine/tolerance.h"
#include "engine/survey_record.h"
#include "report/report_printer.h"
#include "text/calculation_trace.h"

namespace corvanet {

// Columns a UTF-8 text takes on a terminal: a wide (CJK, full-width)
// character counts two, any other one.
int DisplayWidth(std::string_view utf8);

// A ReportPrinter that writes characters: a tab column is one character
// (a wide character takes two), lines end in '\n'. The vertical position
// and the font name mean nothing in text and are ignored; the horizontal
// position counts half an em per column, as with a half-width Song face.
class TextReportPrinter final : public ReportPrinter {
public:
    void SetPosition(float xTwips, float yTwips) override;
    void SetFontName(const std::string& name) override;
    void SetFontSize(float points) override;
    void PrintLine(const std::vector<PrintItem>& items) override;
    void EndDocument() override;

    const std::string& Text() const { return text_; }

private:
    float xTwips_ = 0;
    float points_ = 12;
    std::string text_;
};

// The whole report of `record` as UTF-8 text.
std::string ReportPlainText(const SurveyRecord& record);
// The same with the note and the marks `trace` asks for when the last
// calculation did not complete.
std::string ReportPlainText(const SurveyRecord& record, const CalculationTrace& trace,
                            const std::optional<MisclosureTest>& test);

}  // namespace corvanet
