// Names placed by priority: a name that would cover one placed before it
// moves round its mark, and is left out when it fits nowhere.

#include "review_view/label_placement.h"

#include <gtest/gtest.h>

namespace zendro::testing {
namespace {

using review::LabelRequest;

struct Neighbours {
    double pointX;    // the other point's mark; the station's is at (100, 100)
    double nameLeft;  // where the other point's name starts, -1 when left out
    const char* why;
};

// Names 40 x 10 with a gap of 4, in a strip from y 80 to 100 that holds only
// the spots above a mark (y 86 to 96). The station's name goes above right,
// x 104 to 144. The other point's name would go above right at x + 4 to
// x + 44, else above left at x - 44 to x - 4: both cover the station's for
// 108 < x < 140.
const Neighbours kNeighbours[] = {
    {110, -1, "10 apart, closer than a name's width: 114..154 and 66..106 both cover 104..144"},
    {139, -1, "39 apart: 143..183 and 95..135 both cover 104..144"},
    {140, 144, "40 apart: above right 144..184 only touches the station's name"},
    {108, 64, "8 apart: above right 112..152 covers it, above left 64..104 only touches it"},
};

TEST(LabelPlacement, TheLowerPriorityNameGivesWayToTheStations) {
    const QRectF strip(0, 80, 400, 20);
    for (const Neighbours& c : kNeighbours) {
        SCOPED_TRACE(c.why);
        // The other point comes first: priority, not order, decides.
        const std::vector<LabelRequest> requests{{QPointF(c.pointX, 100), QSizeF(40, 10), 2},
                                                 {QPointF(100, 100), QSizeF(40, 10), 0}};
        const auto placed = review::placeLabels(requests, strip, {}, 4);
        ASSERT_EQ(placed.size(), 2u);
        ASSERT_TRUE(placed[1].has_value());
        EXPECT_EQ(*placed[1], QRectF(104, 86, 40, 10));
        if (c.nameLeft < 0) {
            EXPECT_FALSE(placed[0].has_value());
        } else {
            ASSERT_TRUE(placed[0].has_value());
            EXPECT_EQ(*placed[0], QRectF(c.nameLeft, 86, 40, 10));
        }
    }
}

}  // namespace
}  // namespace zendro::testing
