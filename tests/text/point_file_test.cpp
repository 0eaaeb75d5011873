// The lines of the two point files: what mapping CAD reads from DAT and what
// a spreadsheet reads from CSV.
#include <gtest/gtest.h>


#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/point_file.h"
#include "tests/text/gb18030_bytes.h"

namespace corvanet {
namespace {

using testing::FromGb18030;

// A point with its name and coordinates only.
ExportedPoint AtXY(std::string_view name, double x, double y)
{
    ExportedPoint p;
    p.name = name, p.x = x, p.y = y;
    return p;
}

std::string Line(const ExportedPoint& p, PointFileFormat format, PointEncoding encoding = PointEncoding::Gb18030)
{
    std::string out;
    const auto refused = AppendPointLine(out, p, format, encoding);
    EXPECT_FALSE(refused) << *refused;
    return out;
}

TEST(PointFile, FormatIsTheExtensionInAnyCase)
{
    EXPECT_EQ(PointFileFormatOf("points.dat"), PointFileFormat::Dat);
    EXPECT_EQ(PointFileFormatOf("site/a.b/POINTS.Dat"), PointFileFormat::Dat);
    EXPECT_EQ(PointFileFormatOf("points.CSV"), PointFileFormat::Csv);
    EXPECT_EQ(PointFileFormatOf("points.txt"), std::nullopt);
    EXPECT_EQ(PointFileFormatOf("csv"), std::nullopt);
    EXPECT_EQ(PointFileFormatOf("dir.dat/points"), std::nullopt);
}

// Y (easting) before X, four decimals rounded as the result boxes round
// them (an exact half to the even neighbour), empty code and height, CRLF.
TEST(PointFile, DatLineHasYBeforeXToFourDecimals)
{
    ExportedPoint p = AtXY("P1", 2600.03125, 3100.00015);
    EXPECT_EQ(Line(p, PointFileFormat::Dat), "P1,,3100.0002,2600.0312,\r\n");
    p.x = -0.00004;
    p.y = 1e6 + 0.00006;
    EXPECT_EQ(Line(p, PointFileFormat::Dat), "P1,,1000000.0001,0.0000,\r\n") << "no sign on a zero shown";
}

TEST(PointFile, DatNameIsGb18030OrUtf8AsAsked)
{
    const ExportedPoint p = AtXY("测点😀", 1, 2);
    const std::string gb = Line(p, PointFileFormat::Dat);
    EXPECT_EQ(gb.substr(0, 4), "\xB2\xE2\xB5\xE3") << "测点 in GB18030";
    EXPECT_EQ(FromGb18030(gb), "测点😀,,2.0000,1.0000,\r\n") << "even outside GBK";
    EXPECT_EQ(Line(p, PointFileFormat::Dat, PointEncoding::Utf8), "测点😀,,2.0000,1.0000,\r\n");
    EXPECT_EQ(ToGb18030("a\xFF" "b"), "a\x84\x31\xA4\x37" "b") << "a byte that is not UTF-8 as U+FFFD";
}

TEST(PointFile, DatRefusesANameItCannotHoldAndWritesNothing)
{
    for (const char* name : {"P,1", "P\"1", "P\n1", "P\r1"}) {
        std::string out = "earlier\r\n";
        const auto refused = AppendPointLine(out, AtXY(name, 1, 2), PointFileFormat::Dat);
        ASSERT_TRUE(refused) << name;
        EXPECT_NE(refused->find("DAT"), std::string::npos) << *refused;
        EXPECT_EQ(refused->find('\n'), std::string::npos) << "one line: " << *refused;
        EXPECT_EQ(out, "earlier\r\n");
    }
}

// Quoted as RFC 4180 quotes, a formula guarded as the batch guards it, the
// numbers the shortest text that reads back the same double.
TEST(PointFile, CsvLineQuotesTextAndWritesNumbersThatReadBackExactly)
{
    EXPECT_EQ(PointFileHeader(PointFileFormat::Csv), "\xEF\xBB\xBFname,X,Y,md,m,w,limit,verdict,time\r\n");
    EXPECT_EQ(PointFileHeader(PointFileFormat::Dat), "");
    const double x = 2600.0039265632645, y = 0.1 + 0.2;
    ExportedPoint p{"a,\"b\"", x, y, 4.116391181945801, 100162.203125, -2.759147882461548, 4.913967295177373,
                    "pass", "2025-12-06T05:46:40Z"};
    const std::string line = Line(p, PointFileFormat::Csv, PointEncoding::Utf8);
    EXPECT_EQ(line, "\"a,\"\"b\"\"\",2600.0039265632645,0.30000000000000004,4.116391181945801,100162.203125,"
                    "-2.759147882461548,4.913967295177373,pass,2025-12-06T05:46:40Z\r\n");
    EXPECT_EQ(std::bit_cast<std::uint64_t>(std::strtod("0.30000000000000004", nullptr)), std::bit_cast<std::uint64_t>(y));
    EXPECT_EQ(Line(p, PointFileFormat::Csv, PointEncoding::Gb18030), line) << "CSV is UTF-8 whatever is asked";

    p = AtXY("=1+2", 1, 2);
    EXPECT_EQ(Line(p, PointFileFormat::Csv), "'=1+2,1,2,,,,,,\r\n") << "no figure: an empty cell";
}

ExportedKnownPoint Known(std::string_view name, double x, double y)
{
    ExportedKnownPoint p;
    p.name = name, p.x = x, p.y = y;
    return p;
}

std::string KnownLine(const ExportedKnownPoint& p, PointFileFormat format,
                      PointEncoding encoding = PointEncoding::Gb18030)
{
    std::string out;
    const auto refused = AppendKnownPointLine(out, p, format, encoding);
    EXPECT_FALSE(refused) << *refused;
    return out;
}

// A known point's DAT line carries its code and height, in the encoding
// asked; without them it is a calculation's line.
TEST(PointFile, KnownPointDatLineHasCodeAndHeight)
{
    EXPECT_EQ(KnownPointFileHeader(PointFileFormat::Dat), "");
    ExportedKnownPoint p = Known("控制1", 3000.03125, 2000.5);
    p.code = "导线";
    p.h = 45.00015;
    p.source = "entered";
    const std::string gb = KnownLine(p, PointFileFormat::Dat);
    EXPECT_EQ(FromGb18030(gb), "控制1,导线,2000.5000,3000.0312,45.0002\r\n") << "H rounded as X and Y are";
    EXPECT_EQ(gb.find("\xE5"), std::string::npos) << "the code in GB18030 too, not UTF-8";
    EXPECT_EQ(KnownLine(p, PointFileFormat::Dat, PointEncoding::Utf8), "控制1,导线,2000.5000,3000.0312,45.0002\r\n");

    p.h = -0.00001;
    p.code = {};
    EXPECT_EQ(KnownLine(p, PointFileFormat::Dat, PointEncoding::Utf8), "控制1,,2000.5000,3000.0312,0.0000\r\n");
    EXPECT_EQ(KnownLine(Known("P1", 2600.03125, 3100.00015), PointFileFormat::Dat),
              Line(AtXY("P1", 2600.03125, 3100.00015), PointFileFormat::Dat));

    for (const char* code : {"a,b", "a\"b", "a\nb"}) {
        p.code = code;
        std::string out = "earlier\r\n";
        const auto refused = AppendKnownPointLine(out, p, PointFileFormat::Dat);
        ASSERT_TRUE(refused) << code;
        EXPECT_NE(refused->find("编码"), std::string::npos) << *refused;
        EXPECT_EQ(out, "earlier\r\n");
    }
}

TEST(PointFile, KnownPointCsvHasHeightCodeAndSource)
{
    EXPECT_EQ(KnownPointFileHeader(PointFileFormat::Csv), "\xEF\xBB\xBFname,X,Y,H,code,source\r\n");
    ExportedKnownPoint p = Known("K,1", 0.1 + 0.2, -2.5);
    p.h = 1e-7;
    p.code = "-GPS";
    p.source = "控制点.dat";
    EXPECT_EQ(KnownLine(p, PointFileFormat::Csv), "\"K,1\",0.30000000000000004,-2.5,1e-07,'-GPS,控制点.dat\r\n")
        << "UTF-8 whatever is asked";
    p = Known("K2", 1, 2);
    p.source = "entered";
    EXPECT_EQ(KnownLine(p, PointFileFormat::Csv), "K2,1,2,,,entered\r\n") << "no height: an empty cell";
}

}  // namespace
}  // namespace corvanet
