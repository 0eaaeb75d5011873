#include "report/print_report.h"

#include <cmath>

#include "text/number_text.h"
#include "text/tolerance_text.h"

namespace corvanet {

void PrintReport(const SurveyRecord& record, ReportPrinter& printer)
{
    PrintReport(record, CalculationTrace{}, std::nullopt, printer);
}

void PrintReport(const SurveyRecord& r, const CalculationTrace& trace, const std::optional<MisclosureTest>& test,
                 ReportPrinter& printer)
{
    const auto line = [&printer](std::vector<PrintItem> items) { printer.PrintLine(items); };
    const auto empty = [&line] { line({}); };
    // A value the last calculation did not write carries the mark after it.
    const auto value = [&trace](ReportValue v, std::string text) {
        return Text(trace.IsCurrent(v) ? std::move(text) : std::move(text) + kStaleValueMark);
    };
    using V = ReportValue;

    printer.SetPosition(2000, 1000);
    printer.SetFontName("宋体");
    printer.SetFontSize(12);
    line({Tab(30), Text("Corvanet")});
    empty();
    empty();

    printer.SetFontSize(10);
    // Inputs beside results of an earlier figure: say so before anything else.
    if (!trace.AllCurrent()) {
        line({Tab(22), Text(trace.IncompleteNote())});
        line({Tab(22), Text(std::string("标有 ") + kStaleValueMark +
                            " 的数值不是这次计算得出的（来自以前的计算或尚未计算），不属于本页的图形。")});
        if (!(test && test->exceeded)) empty();
    }
    // A misclosure beyond what the meter allows: the figure is computed, but
    // the measurement is not acceptable as it stands.
    if (test && test->exceeded) {
        line({Tab(22), Text(ExceededNote(r.w, *test))});
        empty();
    }
    line({Tab(22), Text("起始点座标 :")});
    empty();
    // Line 6 tabs to the Y label; lines 7 and 8 set it 40 blanks after the X value.
    line({Tab(24), Text("起始点 A 座标 :  xa="), value(V::Xa, FormatPattern(r.Xa, "0.000")), Tab(40), Text("ya="),
          value(V::Ya, FormatPattern(r.Ya, "0.000"))});
    line({Tab(24), Text("起始点 B 座标 :  xb="), value(V::Xb, FormatPattern(r.Xb, "0.000")), Blanks(40), Text("yb="),
          value(V::Yb, FormatPattern(r.Yb, "0.000"))});
    line({Tab(24), Text("起始点 C 座标 :  xc="), value(V::Xc, FormatPattern(r.Xc, "0.000")), Blanks(40), Text("yc="),
          value(V::Yc, FormatPattern(r.Yc, "0.000"))});
    empty();

    // Measured distances survive only as the singles taken at entry; the
    // fields S1 to S3 hold the adjusted ones once the adjustment has run.
    line({Tab(22), Text("观测边长 (米) :"), Tab(38), Text("平差改正后边长 (米) :")});
    empty();
    line({Tab(24), Text("第 1 条观测边 : s1="), value(V::S1obs, FormatPattern(r.S1obs, "0.0000")), Tab(40),
          Text("s1 = "), value(V::s1, FormatRounded(r.S1, "0.0000"))});
    line({Tab(24), Text("第 2 条观测边 : s2="), value(V::S2obs, FormatPattern(r.S2obs, "0.0000")), Tab(40),
          Text("s2 = "), value(V::s2, FormatRounded(r.S2, "0.0000"))});
    line({Tab(24), Text("第 3 条观测边 : s3="), value(V::S3obs, FormatPattern(r.S3obs, "0.0000")), Tab(40),
          Text("s3 = "), value(V::s3, FormatRounded(r.S3, "0.0000"))});
    empty();
    empty();

    line({Tab(32), Text("固定角条件闭合差 :  w="), value(V::w, FormatRounded(r.w, "0.00") + " (秒)")});
    empty();
    line({Tab(32), Text("法方程式 K 系数 :  k="), value(V::k, FormatRounded(r.k, "0.00000000"))});
    empty();

    line({Tab(28), Text("平差结果 :")});
    empty();
    line({Tab(30), value(V::PointName, "待定点-- " + r.PointName + " --")});
    empty();
    line({Tab(32), Text("xp1="), value(V::xp1, FormatRounded(r.xp1, "0.000"))});
    line({Tab(32), Text("yp1="), value(V::yp1, FormatRounded(r.yp1, "0.000"))});
    empty();
    line({Tab(32), Text("xp2="), value(V::xp2, FormatRounded(r.xp2, "0.000"))});
    line({Tab(32), Text("yp2="), value(V::yp2, FormatRounded(r.yp2, "0.000"))});
    empty();
    line({Tab(32), Text("xp3="), value(V::xp3, FormatRounded(r.xp3, "0.000"))});
    line({Tab(32), Text("yp3="), value(V::yp3, FormatRounded(r.yp3, "0.000"))});
    empty();

    // The precision figures go to their patterns unrounded: the pattern's own
    // half-away-from-zero rounding applies, unlike in the window.
    line({Tab(22), Text("精度评定 :")});
    empty();
    line({Tab(24), Text("单位权测边中误差 :      ms="), value(V::ms, FormatPattern(r.ms, "0.00") + " 毫米")});
    empty();
    line({Tab(39), value(V::PointName, "待定点 (" + r.PointName + " ) :")});
    line({Tab(24), Text("纵座标单位权权倒数 :  1/px="), value(V::px, FormatPattern(r.px, "0.00000"))});
    line({Tab(24), Text("横座标单位权权倒数 :  1/py="), value(V::py, FormatPattern(r.py, "0.00000"))});
    line({Tab(24), Text("纵座标单位权中误差 :    mx="), value(V::mx, FormatPattern(r.mx, "0.00") + " 毫米")});
    line({Tab(24), Text("横座标单位权中误差 :    my="), value(V::my, FormatPattern(r.my, "0.00") + " 毫米")});
    line({Tab(24), Text("单位权点位中误差 :      md="), value(V::md, FormatPattern(r.md, "0.00") + " 毫米")});
    // The whole part of m stays a single, so the number form decides its text.
    std::vector<PrintItem> last{Tab(24), Text("相对已知点相对中误差 : 1/m=1/"), Number(std::trunc(r.m))};
    if (!trace.IsCurrent(V::m)) last.push_back(Text(kStaleValueMark));
    line(std::move(last));

    printer.EndDocument();
}

}  // namespace corvanet
