#include "common/line_writer.h"

#include <gtest/gtest.h>

namespace zendro {
namespace {

TEST(LineWriter, TextAndNumberItems) {
    std::string out;
    LineWriter line(out);
    line.text("A").number(5).number(-2).number(12.5).number(0.5).number(0).number(-1).endLine();
    EXPECT_EQ(out, "A 5 -2  12.5  .5  0 -1 \r\n");
}

TEST(LineWriter, ColumnStopPadsEqualsOrWraps) {
    std::string out;
    LineWriter line(out);
    line.text("O 04 ").column(17).text("x").endLine();
    line.text("12345").column(6).text("y").endLine();
    line.text("1234567").column(4).text("z").endLine();
    EXPECT_EQ(out,
              "O 04            x\r\n"
              "12345y\r\n"
              "1234567\r\n   z\r\n");
}

TEST(LineWriter, NumberFollowedByColumnStopKeepsItsTrailingSpace) {
    std::string out;
    LineWriter line(out);
    line.text("ab").number(7).column(8).text("|").endLine();
    EXPECT_EQ(out, "ab 7   |\r\n");
}

TEST(LineWriter, ZoneStopPadsToColumnFifteen) {
    std::string out;
    LineWriter line(out);
    line.text("RE,*****").zone().text("T").endLine();
    line.text("R 99 *****").zone().text("T").endLine();
    EXPECT_EQ(out,
              "RE,*****      T\r\n"
              "R 99 *****    T\r\n");
}

TEST(LineWriter, PiecesContinueTheSameLineUntilItEnds) {
    std::string out;
    LineWriter line(out);
    line.text("F 01 ").text("S1,");
    line.text("S2,");
    EXPECT_EQ(line.column(), 12);
    line.endLine();
    EXPECT_EQ(out, "F 01 S1,S2,\r\n");
    EXPECT_EQ(line.column(), 1);
}

TEST(LineWriter, WriterWithoutBufferDiscardsButCountsColumns) {
    LineWriter discard;
    EXPECT_FALSE(discard.enabled());
    discard.text("abc").column(10);
    EXPECT_EQ(discard.column(), 10);
}

}  // namespace
}  // namespace zendro
