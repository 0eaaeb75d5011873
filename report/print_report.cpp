#include "report/print_report.h"

#include <cmath>

#include "text/number_text.h"

namespace corvanet {
void PrintReport(const SurveyRecord& r, ReportPrinter& printer)
{
    const auto line = [&printer](std::vector<PrintItem> items) { printer.PrintLine(items); };
    const auto empty = [&line] { line({}); };

    printer.SetPosition(2000, 1000);
    printer.SetFontName("宋体");
    printer.SetFontSize(12);
    line({Tab(30), Text("Corvanet")});
    empty();
    empty();

    printer.SetFontSize(10);
    line({Tab(22), Text("起始点座标 :")});
    empty();
    // Line 6 tabs to the Y label; lines 7 and 8 set it 40 blanks after the X value.
    line({Tab(24), Text("起始点 A 座标 :  xa="), Text(FormatPattern(r.Xa, "0.000")), Tab(40), Text("ya="),
          Text(FormatPattern(r.Ya, "0.000"))});
    line({Tab(24), Text("起始点 B 座标 :  xb="), Text(FormatPattern(r.Xb, "0.000")), Blanks(40), Text("yb="),
          Text(FormatPattern(r.Yb, "0.000"))});
    line({Tab(24), Text("起始点 C 座标 :  xc="), Text(FormatPattern(r.Xc, "0.000")), Blanks(40), Text("yc="),
          Text(FormatPattern(r.Yc, "0.000"))});
    empty();

    // Measured distances survive only as the singles taken at entry; the
    // fields S1 to S3 hold the adjusted ones once the adjustment has run.
    line({Tab(22), Text("观测边长 (米) :"), Tab(38), Text("平差改正后边长 (米) :")});
    empty();
    line({Tab(24), Text("第 1 条观测边 : s1="), Text(FormatPattern(r.S1obs, "0.0000")), Tab(40), Text("s1 = "),
          Text(FormatRounded(r.S1, "0.0000"))});
    line({Tab(24), Text("第 2 条观测边 : s2="), Text(FormatPattern(r.S2obs, "0.0000")), Tab(40), Text("s2 = "),
          Text(FormatRounded(r.S2, "0.0000"))});
    line({Tab(24), Text("第 3 条观测边 : s3="), Text(FormatPattern(r.S3obs, "0.0000")), Tab(40), Text("s3 = "),
          Text(FormatRounded(r.S3, "0.0000"))});
    empty();
    empty();

    line({Tab(32), Text("固定角条件闭合差 :  w="), Text(FormatRounded(r.w, "0.00") + " (秒)")});
    empty();
    line({Tab(32), Text("法方程式 K 系数 :  k="), Text(FormatRounded(r.k, "0.00000000"))});
    empty();

    line({Tab(28), Text("平差结果 :")});
    empty();
    line({Tab(30), Text("待定点-- " + r.PointName + " --")});
    empty();
    line({Tab(32), Text("xp1="), Text(FormatRounded(r.xp1, "0.000"))});
    line({Tab(32), Text("yp1="), Text(FormatRounded(r.yp1, "0.000"))});
    empty();
    line({Tab(32), Text("xp2="), Text(FormatRounded(r.xp2, "0.000"))});
    line({Tab(32), Text("yp2="), Text(FormatRounded(r.yp2, "0.000"))});
    empty();
    line({Tab(32), Text("xp3="), Text(FormatRounded(r.xp3, "0.000"))});
    line({Tab(32), Text("yp3="), Text(FormatRounded(r.yp3, "0.000"))});
    empty();

    // The precision figures go to their patterns unrounded: the pattern's own
    // half-away-from-zero rounding applies, unlike in the window.
    line({Tab(22), Text("精度评定 :")});
    empty();
    line({Tab(24), Text("单位权测边中误差 :      ms="), Text(FormatPattern(r.ms, "0.00") + " 毫米")});
    empty();
    line({Tab(39), Text("待定点 (" + r.PointName + " ) :")});
    line({Tab(24), Text("纵座标单位权权倒数 :  1/px="), Text(FormatPattern(r.px, "0.00000"))});
    line({Tab(24), Text("横座标单位权权倒数 :  1/py="), Text(FormatPattern(r.py, "0.00000"))});
    line({Tab(24), Text("纵座标单位权中误差 :    mx="), Text(FormatPattern(r.mx, "0.00") + " 毫米")});
    line({Tab(24), Text("横座标单位权中误差 :    my="), Text(FormatPattern(r.my, "0.00") + " 毫米")});
    line({Tab(24), Text("单位权点位中误差 :      md="), Text(FormatPattern(r.md, "0.00") + " 毫米")});
    // The whole part of m stays a single, so the number form decides its text.
    line({Tab(24), Text("相对已知点相对中误差 : 1/m=1/"), Number(std::trunc(r.m))});

    printer.EndDocument();
}

}  // namespace corvanet
