#include "features/grid_edits.h"

#include <gtest/gtest.h>

namespace zendro {
namespace {

const std::vector<FeatureRow> kRows = {
    {"1001", "EP", "EP EDGE"}, {"1002", "+CL*", " "}, {"1003", "EPEP", "EDGE, LEFT"}};

TEST(GridEditsTest, ReplaceChangesEveryOccurrenceInTheListedRowsOfOneField) {
    EXPECT_EQ(replaceInField(kRows, FeatureField::Description, "EP", "EOP", {0, 1, 2}),
              (std::vector<CellEdit>{{0, FeatureField::Description, "EP", "EOP"},
                                     {2, FeatureField::Description, "EPEP", "EOPEOP"}}));
    // Only the listed rows; the comment "EP EDGE" of row 0 is another field.
    EXPECT_EQ(replaceInField(kRows, FeatureField::Comment, "EDGE", "E", {2}),
              (std::vector<CellEdit>{{2, FeatureField::Comment, "EDGE, LEFT", "E, LEFT"}}));
}

TEST(GridEditsTest, ReplacementContainingTheFoundTextIsNotSearchedAgain) {
    EXPECT_EQ(replaceInField(kRows, FeatureField::Description, "EP", "EPEP", {2}),
              (std::vector<CellEdit>{{2, FeatureField::Description, "EPEP", "EPEPEPEP"}}));
    EXPECT_EQ(replaceInField(kRows, FeatureField::Description, "EP", "", {2}),
              (std::vector<CellEdit>{{2, FeatureField::Description, "EPEP", ""}}));
}

TEST(GridEditsTest, NothingToReplaceGivesNoEdits) {
    EXPECT_TRUE(replaceInField(kRows, FeatureField::Description, "", "X", {0, 1, 2}).empty());
    EXPECT_TRUE(replaceInField(kRows, FeatureField::Description, "ep", "X", {0, 1, 2}).empty());
    EXPECT_TRUE(replaceInField(kRows, FeatureField::Description, "EP", "EP", {0, 1, 2}).empty());
}

TEST(GridEditsTest, EditsApplyForwardAndBackBackToTheSameRows) {
    std::vector<FeatureRow> rows = kRows;
    const std::vector<CellEdit> edits = {{1, FeatureField::Name, "1002", " "},
                                         {1, FeatureField::Description, "+CL*", " "},
                                         {0, FeatureField::Comment, "EP EDGE", ""}};
    applyCellEdits(rows, edits, true);
    EXPECT_EQ(rows, (std::vector<FeatureRow>{
                        {"1001", "EP", ""}, {" ", " ", " "}, {"1003", "EPEP", "EDGE, LEFT"}}));
    applyCellEdits(rows, edits, false);
    EXPECT_EQ(rows, kRows);
}

TEST(GridEditsTest, SearchFindsTheFirstOfTheThreeTextsContainingTheText) {
    EXPECT_EQ(firstFieldContaining(kRows[0], "100"), FeatureField::Name);
    EXPECT_EQ(firstFieldContaining(kRows[0], "EP"), FeatureField::Description);
    EXPECT_EQ(firstFieldContaining(kRows[2], ", L"), FeatureField::Comment);
    EXPECT_EQ(firstFieldContaining(kRows[1], "EP"), std::nullopt);
    EXPECT_EQ(firstFieldContaining(kRows[1], ""), std::nullopt);
}

}  // namespace
}  // namespace zendro
