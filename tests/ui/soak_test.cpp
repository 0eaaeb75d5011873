// A thousand calculations in a row through the window, complete, stopped and
// cancelled in turn, with the report printed between them: the last one's
// fields are right, and (in the sanitizer build) nothing leaks.
#include <gtest/gtest.h>

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

TEST(Soak, AThousandCalculationsWithReportsBetween)
{
    MainWindow window;
    for (int i = 0; i < 1000; ++i) {
        const int kind = i % 3;
        ScriptedPrompt p(window, kind == 0 ? WorkedEntry() : kind == 1 ? StoppedEntry() : CancelledEntry());
        PressCalculate(window, p);
        ASSERT_TRUE(p.Finished()) << "calculation " << i;
        ASSERT_EQ(p.warnings.size(), kind == 1 ? 1u : 0u) << "calculation " << i;
        ReportPlainText(window.record());
    }

    // The last one (i = 999) was complete: the worked figure throughout.
    for (const auto& [box, shown] : kWorkedResults)
        EXPECT_EQ(window.fieldText(QString::fromStdString(box)).toStdString(), shown) << box;
    EXPECT_EQ(window.fieldText(QStringLiteral("Text3")).toStdString(), " 3000.000");
    EXPECT_EQ(window.record().S1obs, 509.905f);
    EXPECT_EQ(window.record().m, 100162.203125f);
    EXPECT_NE(ReportPlainText(window.record()).find("1/m=1/ 100162 "), std::string::npos);
}

}  // namespace
}  // namespace corvanet
