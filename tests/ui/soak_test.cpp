// Calculations in a row through the window, complete, stopped and cancelled
// in turn, with the report printed between them: the last one's fields are
// right, nothing piles up on the window, and (in the sanitizer build) nothing
// leaks.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/calculate_command.h"
#include "report/report_text.h"
#include "tests/ui/scripted_prompt.h"

namespace corvanet {
namespace {

using namespace testing;

std::vector<Answer> StoppedEntry()  // B on A: stops in the triangle ABP
{
    std::vector<Answer> s = WorkedEntry();
    s[4] = "2500";
    s[6] = "2600";
    return s;
}

std::vector<Answer> CancelledEntry()  // Cancel at S2
{
    const std::vector<Answer> worked = WorkedEntry();
    std::vector<Answer> s(worked.begin(), worked.begin() + 15);
    s.push_back(kCancel);
    return s;
}

// What the soak must catch comes within the first rounds of three: each way
// one calculation can follow another (complete, stopped, cancelled) happens
// in every round, and anything a calculation leaves behind, an object on the
// window or a block of memory, is there after the first. A hundred rounds
// (301 calculations) leave room for what grows only now and then, as a
// container that reallocates; under the sanitizers
// (CORVANET_SLOW_TESTS=short) ten rounds show a leak as surely, at a tenth of
// the time.
int Rounds()
{
    return qEnvironmentVariable("CORVANET_SLOW_TESTS") == QStringLiteral("short") ? 10 : 100;
}

TEST(Soak, CalculationsInTurnWithReportsBetween)
{
    MainWindow window;
    const int calculations = 3 * Rounds() + 1;  // ending on a complete one
    qsizetype objectsAfterFirstRound = 0, windowsAfterFirstRound = 0;
    for (int i = 0; i < calculations; ++i) {
        const int kind = i % 3;
        ScriptedPrompt p(window, kind == 0 ? WorkedEntry() : kind == 1 ? StoppedEntry() : CancelledEntry());
        PressCalculate(window, p);
        ASSERT_TRUE(p.Finished()) << "calculation " << i;
        ASSERT_EQ(p.warnings.size(), kind == 1 ? 1u : 0u) << "calculation " << i;
        ReportPlainText(window.record());
        if (i == 2) {
            objectsAfterFirstRound = window.findChildren<QObject*>().size();
            windowsAfterFirstRound = QApplication::topLevelWidgets().size();
        }
    }
    EXPECT_EQ(window.findChildren<QObject*>().size(), objectsAfterFirstRound) << "objects pile up on the window";
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsAfterFirstRound) << "windows pile up";

    // The last one was complete: the worked figure throughout.
    for (const auto& [box, shown] : kWorkedResults)
        EXPECT_EQ(window.fieldText(QString::fromStdString(box)).toStdString(), shown) << box;
    EXPECT_EQ(window.fieldText(QStringLiteral("Text3")).toStdString(), " 3000.000");
    EXPECT_EQ(window.record().S1obs, 509.905f);
    EXPECT_EQ(window.record().m, 100162.203125f);
    EXPECT_NE(ReportPlainText(window.record()).find("1/m=1/ 100162 "), std::string::npos);
}

}  // namespace
}  // namespace corvanet
