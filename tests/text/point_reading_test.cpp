// Coordinate files read into known points: the layouts, the header, the
// encodings and line ends, and every row that is not a point told by its line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/point_file.h"  // ToGb18030
#include "text/point_reading.h"

namespace corvanet {
namespace {

std::vector<std::string> Names(const PointFileReading& r)
{
    std::vector<std::string> names;
    for (const ReadPoint& p : r.points) names.push_back(p.name);
    return names;
}

// "line: reason" for each skipped row, to compare in one go.
std::vector<std::string> Skipped(const PointFileReading& r)
{
    std::vector<std::string> rows;
    for (const SkippedRow& s : r.skipped) rows.push_back(std::to_string(s.line) + ": " + s.reason);
    return rows;
}

// Twenty DAT lines as mapping CAD writes them: Y first, some codes and
// heights, Chinese names. 水准 and 站 in GBK are also valid UTF-8, and come
// first, before any name that shows the file to be GBK.
TEST(PointReading, DatInGb18030KeepsNamesAndReadsYBeforeX)
{
    const char* const names[20] = {"水准1", "站2",   "控制3", "导线4", "K5",    "K6",    "北京7", "K8",    "K9",  "K10",
                                   "K11",   "测量12", "K13",  "K14",   "K15",   "K16",   "K17",   "桥18",  "K19", "井20"};
    std::string utf8;
    for (int i = 0; i < 20; ++i) {
        const std::string code = i % 3 == 0 ? "" : "GCP";
        const std::string h = i % 2 == 0 ? "" : std::to_string(50 + i) + ".125";
        utf8 += std::string(names[i]) + "," + code + "," + std::to_string(3000 + i) + ".5," + std::to_string(2000 + i) +
                ".25," + h + "\r\n";
    }
    const PointFileReading r = ReadPointFile(ToGb18030(utf8));
    ASSERT_EQ(r.points.size(), 20u) << ::testing::PrintToString(Skipped(r));
    EXPECT_TRUE(r.skipped.empty());
    EXPECT_FALSE(r.headerSkipped);
    for (int i = 0; i < 20; ++i) {
        const ReadPoint& p = r.points[static_cast<std::size_t>(i)];
        EXPECT_EQ(p.name, names[i]);
        EXPECT_EQ(p.line, i + 1);
        EXPECT_EQ(p.x, 2000 + i + 0.25) << p.name;  // the fourth field
        EXPECT_EQ(p.y, 3000 + i + 0.5) << p.name;   // the third
        EXPECT_EQ(p.code, i % 3 == 0 ? "" : "GCP");
        if (i % 2 == 0)
            EXPECT_FALSE(p.h.has_value());
        else
            EXPECT_EQ(p.h, 50 + i + 0.125);
    }
}

TEST(PointReading, ThreeAndFourFieldsAreNameXYAndHEachRowByItsOwnCount)
{
    const PointFileReading r = ReadPointFile("A,100.5,200.25\nB,101,201,12.5\nC,,3001,2001,\nD,102,202,\n");
    ASSERT_EQ(Names(r), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(r.points[0].y, 200.25);
    EXPECT_EQ(r.points[1].h, 12.5);
    EXPECT_EQ(r.points[2].x, 2001);
    EXPECT_FALSE(r.points[3].h);  // an empty height is none, not zero
}

TEST(PointReading, FirstRowOfColumnNamesIsTheHeader)
{
    for (const char* header : {"Name,x,y", "点号,X(m),Y(m)", "ID,Northing,Easting", "\n点名,编码,Y,X,H"}) {
        const PointFileReading r = ReadPointFile(std::string(header) + "\nA,1,2\n");
        EXPECT_TRUE(r.headerSkipped) << header;
        EXPECT_EQ(Names(r), std::vector<std::string>{"A"}) << header;
    }
    // Only the first row, and only names of columns.
    EXPECT_EQ(Skipped(ReadPointFile("A,1,2\nname,X,Y\n")), (std::vector<std::string>{"2: X 不是数值：“X”"}));
    EXPECT_FALSE(ReadPointFile("P1,abc,def\n").headerSkipped);
}

// A header that names Y before X is believed for the rows of its length,
// rather than putting every point's northing in its easting.
TEST(PointReading, HeaderWithYBeforeXSwapsTheRowsOfItsLength)
{
    const PointFileReading r = ReadPointFile("name,Y,X\nA,20,10\nB,1,2,3\n");
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_EQ(r.points[0].x, 10);
    EXPECT_EQ(r.points[1].x, 1);  // four fields: name,X,Y,H as always
    EXPECT_EQ(ReadPointFile("点名,编码,X,Y,H\nA,,10,20,\n").points.at(0).x, 10);
}

TEST(PointReading, EveryRowThatIsNotAPointIsToldByItsLine)
{
    const std::string file = "A,1,2\n"
                             "B,1\n"
                             "C,1,2,3,4,5\n"
                             "D,1.5e400,2\n"
                             "E,1,inf\n"
                             "F,1,2,NaN\n"
                             "G,\"1,5\",2\n"
                             ",1,2\n"
                             "  ,1,2\n"
                             "H,abc,2\n"
                             "I,1,\n"
                             "J,1,2,x\n"
                             "K,1e-400,2\n" +
                             std::string(65, 'L') + ",1,2\n"
                             " A ,3,4\n"
                             "M,1,2\n";
    const PointFileReading r = ReadPointFile(file);
    EXPECT_EQ(Names(r), (std::vector<std::string>{"A", "M"}));
    EXPECT_EQ(Skipped(r), (std::vector<std::string>{
                              "2: 字段不足：应有 3 到 5 个字段，实有 2 个",
                              "3: 字段过多：应有 3 到 5 个字段，实有 6 个",
                              "4: X 不是有限数值（绝对值太大）：“1.5e400”",
                              "5: Y 不是有限数值：“inf”",
                              "6: H 不是有限数值：“NaN”",
                              "7: X 不是数值：“1,5”",
                              "8: 点名为空",
                              "9: 点名为空",
                              "10: X 不是数值：“abc”",
                              "11: Y 不是数值（空）",
                              "12: H 不是数值：“x”",
                              "13: X 不是有限数值（不为零，但绝对值太小，会成为零）：“1e-400”",
                              "14: 点名过长：65 个字符，最多 64 个",
                              "15: 点名“A”与第 1 行重复",
                          }));
    EXPECT_EQ(r.points[0].x, 1);  // the first of the two A's is kept
}

TEST(PointReading, NameLengthCountsCharactersNotBytes)
{
    std::string longest;
    for (std::size_t i = 0; i < kMaxPointNameLength; ++i) longest += "点";
    const PointFileReading r = ReadPointFile(longest + ",1,2\n" + longest + "点,1,2\n");
    EXPECT_EQ(Names(r), (std::vector<std::string>{longest}));
    EXPECT_EQ(Skipped(r), (std::vector<std::string>{"2: 点名过长：65 个字符，最多 64 个"}));
}

// Blank lines, and rows of nothing but blanks and commas, are no rows.
TEST(PointReading, LineEndsOfEveryKindGiveTheSameLines)
{
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const std::string e = end;
        const PointFileReading r = ReadPointFile("点名,X,Y" + e + "A,1,2" + e + e + "B,x,2" + e + " ,, " + e + "C,3,4");
        EXPECT_TRUE(r.headerSkipped);
        EXPECT_EQ(Names(r), (std::vector<std::string>{"A", "C"})) << ::testing::PrintToString(end);
        EXPECT_EQ(r.points.back().line, 6);
        EXPECT_EQ(Skipped(r), (std::vector<std::string>{"4: X 不是数值：“x”"}));
    }
}

TEST(PointReading, ByteOrderMarkIsNotPartOfTheFirstName)
{
    EXPECT_EQ(Names(ReadPointFile("\xEF\xBB\xBF控制点,1,2\n")), std::vector<std::string>{"控制点"});
    EXPECT_TRUE(ReadPointFile("\xEF\xBB\xBF点名,X,Y\n站,1,2\n").headerSkipped);
}

TEST(PointReading, QuotedFieldsHoldCommasQuotesAndLineBreaks)
{
    const PointFileReading r = ReadPointFile("\"A,1\",1,2\n\"B \"\"x\"\"\",3,4\n\"C\nD\",5,6\nE,7,8\n");
    EXPECT_EQ(Names(r), (std::vector<std::string>{"A,1", "B \"x\"", "C\nD", "E"}));
    ASSERT_EQ(r.points.size(), 4u);
    EXPECT_EQ(r.points[2].line, 3);
    EXPECT_EQ(r.points[3].line, 5);  // after the name's line break
}

TEST(PointReading, RowsCutShortAreToldAndReadingGoesOn)
{
    const std::string longRow = "A," + std::string(70000, '1') + ",2\n";
    const PointFileReading r = ReadPointFile(longRow + "B,1,2\nC,\"1,2\n");
    EXPECT_EQ(Names(r), (std::vector<std::string>{"B"}));
    EXPECT_EQ(Skipped(r), (std::vector<std::string>{"1: 这一行太长（超过 64 KiB）", "3: 引号不成对：字段的引号没有结束"}));
}

}  // namespace
}  // namespace corvanet
