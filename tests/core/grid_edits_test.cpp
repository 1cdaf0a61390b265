#include "features/grid_edits.h"

#include <gtest/gtest.h>

namespace zendro {
namespace {

const std::vector<FeatureRow> kRows = {
    {"1001", "EP", "EP EDGE"}, {"1002", "+CL*", " "}, {"1003", "EPEP", "EDGE, LEFT"}};

TEST(GridEditsTest, ReplaceChangesEveryOccurrenceInOneFieldOfTheListedRowsOnly) {
    EXPECT_EQ(replaceInField(kRows, FeatureField::Description, "EP", "EPEP", {1, 2}),
              (std::vector<CellEdit>{{2, FeatureField::Description, "EPEP", "EPEPEPEP"}}));
    EXPECT_EQ(replaceInField(kRows, FeatureField::Comment, "EDGE", "", {0, 1, 2}),
              (std::vector<CellEdit>{{0, FeatureField::Comment, "EP EDGE", "EP "},
                                     {2, FeatureField::Comment, "EDGE, LEFT", ", LEFT"}}));
    EXPECT_TRUE(replaceInField(kRows, FeatureField::Description, "", "X", {0, 1, 2}).empty());
    EXPECT_TRUE(replaceInField(kRows, FeatureField::Description, "ep", "X", {0, 1, 2}).empty());
}

TEST(GridEditsTest, EditsApplyForwardAndBackBackToTheSameRows) {
    std::vector<FeatureRow> rows = kRows;
    const std::vector<CellEdit> edits = {{1, FeatureField::Name, "1002", " "},
                                         {0, FeatureField::Comment, "EP EDGE", ""}};
    applyCellEdits(rows, edits, true);
    EXPECT_EQ(rows, (std::vector<FeatureRow>{
                        {"1001", "EP", ""}, {" ", "+CL*", " "}, {"1003", "EPEP", "EDGE, LEFT"}}));
    applyCellEdits(rows, edits, false);
    EXPECT_EQ(rows, kRows);
}

TEST(GridEditsTest, SearchFindsTheFirstOfTheThreeTextsContainingTheText) {
    EXPECT_EQ(firstFieldContaining(kRows[0], "100"), FeatureField::Name);
    EXPECT_EQ(firstFieldContaining(kRows[0], "EP"), FeatureField::Description);
    EXPECT_EQ(firstFieldContaining(kRows[2], ", L"), FeatureField::Comment);
    EXPECT_EQ(firstFieldContaining(kRows[1], "EP"), std::nullopt);
}

}  // namespace
}  // namespace zendro
