#include "features/feature_grid.h"

#include <gtest/gtest.h>

namespace zendro {
namespace {

TEST(FeatureGridTest, LoadsOneRowPerEntryAsThePointNamePassWritesThem) {
    const auto rows = loadFeatureRows(" 1001 ,EP,EDGE OF PAVEMENT\r\n 1002 ,+CL*, \r\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (FeatureRow{"1001", "EP", "EDGE OF PAVEMENT"}));
    EXPECT_EQ(rows[1], (FeatureRow{"1002", "+CL*", " "}));
}

TEST(FeatureGridTest, CommentWithCommasIsShownWhole) {
    const auto rows = loadFeatureRows(" 1001 ,EP,EDGE, LEFT SIDE\r\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].comment, "EDGE, LEFT SIDE");
}

TEST(FeatureGridTest, FirstCommaAfterTheNameEndsTheDescription) {
    const auto rows = loadFeatureRows(" 1003 ,EP,OLD,X\r\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].description, "EP");
    EXPECT_EQ(rows[0].comment, "OLD,X");
}

TEST(FeatureGridTest, BlankedRowReadsBackWithASpaceComment) {
    const auto rows = loadFeatureRows(" , , \r\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (FeatureRow{"", "", " "}));
}

TEST(FeatureGridTest, EmptyFileGivesNoRows) { EXPECT_TRUE(loadFeatureRows("").empty()); }

TEST(FeatureGridTest, EntryCutOffByTheEndOfTheFileGivesNoRow) {
    EXPECT_EQ(loadFeatureRows("1,EP,C\r\n2,EP").size(), 1u);
    EXPECT_EQ(loadFeatureRows("1,EP,C\r\n2,EP\r\n").size(), 1u);
    EXPECT_EQ(loadFeatureRows("1,EP,C\r\n2").size(), 1u);
    EXPECT_EQ(loadFeatureRows("1,EP,").size(), 0u);
}

TEST(FeatureGridTest, LastLineWithoutLineEndStillGivesItsRow) {
    const auto rows = loadFeatureRows("1,EP,C");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (FeatureRow{"1", "EP", "C"}));
}

TEST(FeatureGridTest, QuotedNameAndDescriptionAreShownWithoutQuotes) {
    const auto rows = loadFeatureRows("\"A 1\",\"EP, X\",c\r\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (FeatureRow{"A 1", "EP, X", "c"}));
}

TEST(FeatureGridTest, ShortLineDoesNotReachIntoTheNextEntry) {
    const auto rows = loadFeatureRows("A17\r\n1,EP,x\n2,CL,y\r\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (FeatureRow{"A17", "", ""}));
    EXPECT_EQ(rows[1], (FeatureRow{"1", "EP", "x"}));
    EXPECT_EQ(rows[2], (FeatureRow{"2", "CL", "y"}));
}

TEST(FeatureGridTest, ComposesOneCrLfLinePerRowWithTheTextsUnchanged) {
    const std::vector<FeatureRow> rows{
        {"1001", "EPX", "EDGE, LEFT"}, {" ", " ", " "}, {"1002", "+CL*", ""}};
    EXPECT_EQ(composeFeatureFile(rows), "1001,EPX,EDGE, LEFT\r\n , , \r\n1002,+CL*,\r\n");
}

TEST(FeatureGridTest, NoRowsComposeAnEmptyFile) { EXPECT_EQ(composeFeatureFile({}), ""); }

TEST(FeatureGridTest, EditorOutputReadsBackToTheSameRows) {
    const std::vector<FeatureRow> rows{{"1001", "EP", "EDGE, LEFT SIDE"}, {"101001", "CL", " "}};
    EXPECT_EQ(loadFeatureRows(composeFeatureFile(rows)), rows);
}

}  // namespace
}  // namespace zendro
