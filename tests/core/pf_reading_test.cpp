#include <gtest/gtest.h>

#include "features/pf_reader.h"
#include "features/point_table.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::crlfLines;

TEST(PointName, DigitsReadAsNumbersEverythingElseAsText) {
    EXPECT_TRUE(PointName::fromField("1001").matches(1001));
    EXPECT_TRUE(PointName::fromField("01001").matches(1001));
    EXPECT_TRUE(PointName::fromField("123456789012345").isNumber());
    for (const char* text : {"+5", "-5", "1.5", "A17", "1 2", "1234567890123456"}) {
        const PointName name = PointName::fromField(text);
        EXPECT_FALSE(name.isNumber()) << text;
        EXPECT_EQ(name.numberText(), text);
    }
    EXPECT_TRUE(PointName::fromField("").isEmpty());
    EXPECT_FALSE(PointName::fromField("").matches(0));
    EXPECT_FALSE(PointName::fromField("A17").matches(17));
    EXPECT_EQ(PointName::fromField("1001").numberText(), " 1001");
    EXPECT_EQ(PointName::fromField("1001").plainText(), "1001");
    EXPECT_TRUE(PointName::fromField("101001").isAbove(100000));
    EXPECT_FALSE(PointName::fromField("100000").isAbove(100000));
}

TEST(PfCursor, FieldReadTrimsAndStopsAtCommaOrLineEnd) {
    PfCursor cursor(" 1001 ,\tEP ,EDGE, LEFT SIDE\r\nnext");
    EXPECT_EQ(cursor.readField(), "1001");
    EXPECT_EQ(cursor.readField(), "EP");
    EXPECT_EQ(cursor.readRestOfLine(), "EDGE, LEFT SIDE");
    cursor.nextEntry();
    EXPECT_EQ(cursor.readField(), "next");
    EXPECT_TRUE(cursor.atEnd());
}

TEST(PfCursor, QuotedFieldRunsToTheNextQuoteOnTheLine) {
    PfCursor cursor("\" a,b \" junk,\"open\r\nX,Y");
    EXPECT_EQ(cursor.readField(), " a,b ");
    EXPECT_EQ(cursor.readField(), "open");
    // The line ended inside the quoted field: the rest of the entry is empty.
    EXPECT_EQ(cursor.readField(), "");
    cursor.nextEntry();
    EXPECT_EQ(cursor.readField(), "X");
}

TEST(PfCursor, LineEndsAreCrLfLfOrCr) {
    PfCursor cursor("a\r\nb\nc\rd");
    std::string names;
    while (!cursor.atEnd()) {
        cursor.nextEntry();
        names += cursor.readField();
    }
    EXPECT_EQ(names, "abcd");
}

TEST(PfCursor, RestOfLineKeepsLeadingSpaces) {
    PfCursor cursor(" 1002 ,+CL*, \r\n");
    cursor.readField();
    cursor.readField();
    EXPECT_EQ(cursor.readRestOfLine(), " ");
}

TEST(PointTableLoad, ReadsNameDescriptionCommentAndKind) {
    const PointTable table = loadPointTable(crlfLines({
                                                " 1001 ,EP,EDGE OF PAVEMENT",
                                                " 1002 ,+CL*, ",
                                                "1003,EP,\"EDGE, LEFT SIDE\"",
                                                " 1004 ,EP,EDGE, LEFT SIDE",
                                            }),
                                            "*");
    EXPECT_EQ(table.pointCount(), 5u);
    EXPECT_TRUE(table.at(1).name.matches(1001));
    EXPECT_EQ(table.at(1).description, "EP");
    EXPECT_EQ(table.at(1).comment, "EDGE OF PAVEMENT");
    EXPECT_EQ(table.at(1).kind, "P");
    EXPECT_EQ(table.at(2).description, "+CL*");
    EXPECT_EQ(table.at(2).comment, "");
    EXPECT_EQ(table.at(2).kind, "C");
    EXPECT_EQ(table.at(3).comment, "EDGE, LEFT SIDE");
    // A comment with commas is read whole and no later entry shifts.
    EXPECT_EQ(table.at(4).comment, "EDGE, LEFT SIDE");
    EXPECT_TRUE(table.at(4).name.matches(1004));
    EXPECT_EQ(table.at(5).kind, "P");
    EXPECT_TRUE(table.at(5).name.isEmpty());
}

TEST(PointTableLoad, CurveCodeAnywhereMakesKindCAndEmptyCurveCodeNever) {
    const std::string file = crlfLines({"1,*EP,", "2,E*P,", "3,EP*,", "4,EP,"});
    const PointTable withCode = loadPointTable(file, "*");
    EXPECT_EQ(withCode.at(1).kind, "C");
    EXPECT_EQ(withCode.at(2).kind, "C");
    EXPECT_EQ(withCode.at(3).kind, "C");
    EXPECT_EQ(withCode.at(4).kind, "P");
    const PointTable withoutCode = loadPointTable(file, "");
    for (std::size_t i = 1; i <= 4; ++i) EXPECT_EQ(withoutCode.at(i).kind, "P");
}

TEST(PointTableLoad, AShortLineLeavesLaterFieldsEmptyWithoutShiftingTheNext) {
    const PointTable table = loadPointTable(crlfLines({"1001,EP", "1002", "1003,CL,X"}), "*");
    EXPECT_EQ(table.pointCount(), 4u);
    EXPECT_EQ(table.at(1).description, "EP");
    EXPECT_EQ(table.at(1).comment, "");
    EXPECT_TRUE(table.at(2).name.matches(1002));
    EXPECT_EQ(table.at(2).description, "");
    EXPECT_TRUE(table.at(3).name.matches(1003));
    EXPECT_EQ(table.at(3).comment, "X");
}

TEST(PointTableLoad, ALastLineCutOffByTheEndOfTheFileIsKeptAndStopsTheCount) {
    const PointTable table = loadPointTable("1001,EP,A\r\n1002,CL*\r\n", "*");
    EXPECT_EQ(table.pointCount(), 2u);
    EXPECT_TRUE(table.at(2).name.matches(1002));
    EXPECT_EQ(table.at(2).description, "CL*");
    EXPECT_EQ(table.at(2).kind, "P");  // the kind is decided only after the comment

    const PointTable noLineEnd = loadPointTable("1001,EP,A", "*");
    EXPECT_EQ(noLineEnd.pointCount(), 2u);
    EXPECT_EQ(noLineEnd.at(1).comment, "A");
}

TEST(PointTableLoad, BlankedRowsEmptyFilesAndIndicesBeyond) {
    const PointTable blank = loadPointTable(crlfLines({" , , "}), "*");
    EXPECT_EQ(blank.pointCount(), 2u);
    EXPECT_TRUE(blank.at(1).name.isEmpty());
    EXPECT_EQ(blank.at(1).description, "");
    EXPECT_EQ(blank.at(1).comment, "");

    const PointTable empty = loadPointTable("", "*");
    EXPECT_EQ(empty.pointCount(), 1u);
    EXPECT_TRUE(empty.at(1).name.isEmpty());
    EXPECT_EQ(empty.at(9999).kind, "P");
}

TEST(PointTableLoad, GrowsBeyondThreeThousandEntries) {
    std::string file;
    for (int i = 1; i <= 5000; ++i) file += std::to_string(i) + ",EP, \r\n";
    const PointTable table = loadPointTable(file, "*");
    EXPECT_EQ(table.pointCount(), 5001u);
    EXPECT_TRUE(table.at(5000).name.matches(5000));
}

}  // namespace
}  // namespace zendro
