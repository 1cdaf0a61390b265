// Plan frames of jobs whose geometry is worked out by hand.

#include "review/plan_frame.h"

#include <gtest/gtest.h>

#include "tests/review/review_test_support.h"

namespace zendro {
namespace {

using namespace testing;

constexpr double kTolerance = 1e-6;
constexpr std::uint32_t kRight = 9000000;         // 90 00 00.0
constexpr std::uint32_t kRightPlusOne = 9001000;  // 90 01 00.0

// A square A(1) B(2) C(3) D(4) of 100.000 legs, walked clockwise. A is at the
// origin and the first backsight, to D, is taken as azimuth 0, so D lies north
// of A. Every setup backsights the previous station at reading 0 and turns
// `angleAtB` (90 degrees, or 90 01 at B) to the next station.
std::string squareTraverse(std::uint32_t angleAtB) {
    return setupOn(1) + backsightTo(4) + traverseTo(2, kRight) +    // records 0-2
           setupOn(2) + backsightTo(1) + traverseTo(3, angleAtB) +  // 3-5
           setupOn(3) + backsightTo(2) + traverseTo(4, kRight) +    // 6-8
           setupOn(4) + backsightTo(3) + traverseTo(1, kRight);     // 9-11
}

void expectAt(const review::Plan& plan, std::int64_t point, double north, double east) {
    const review::PlanPoint* found = plan.find(point);
    ASSERT_NE(found, nullptr) << "point " << point;
    EXPECT_NEAR(found->position.north, north, kTolerance) << "point " << point;
    EXPECT_NEAR(found->position.east, east, kTolerance) << "point " << point;
    EXPECT_NEAR(found->position.elevation, 0, kTolerance) << "point " << point;
}

TEST(PlanFrame, ClosedSquareTraverseClosesExactly) {
    const review::Plan plan = reviewOf(squareTraverse(kRight)).plan;
    // B: azimuth 0 + 90 - 0 = 90 from A. C: backsight azimuth B->A 270, +90 = 0.
    // D: C->B 180, +90 = 270. A again: D->C 90, +90 = 180, 100 south of D.
    expectAt(plan, 1, 0, 0);
    expectAt(plan, 2, 0, 100);
    expectAt(plan, 3, 100, 100);
    expectAt(plan, 4, 100, 0);

    ASSERT_EQ(plan.closures.size(), 1u);
    const review::ClosureMeasure& closure = plan.closures.front();
    EXPECT_EQ(closure.record, 11u);
    EXPECT_EQ(closure.point, 1);
    EXPECT_NEAR(closure.north, 0, kTolerance);
    EXPECT_NEAR(closure.east, 0, kTolerance);
    EXPECT_NEAR(closure.traverseLength, 400, kTolerance);
    // Backsights at B, C and D each measure 100.000 between known positions.
    ASSERT_EQ(plan.backsights.size(), 3u);
    for (const review::BacksightMeasure& b : plan.backsights) {
        EXPECT_NEAR(b.measuredDistance - b.knownDistance, 0, kTolerance);
    }
    EXPECT_EQ(plan.legs.size(), 4u);
    EXPECT_EQ(plan.frames.size(), 1u);
}

TEST(PlanFrame, OneMinuteOffAtBTurnsTheRestOfTheSquare) {
    const review::Plan plan = reviewOf(squareTraverse(kRightPlusOne)).plan;
    // With a = 1 minute, C, D and A' are the true points turned by a about B:
    // C = (100 cos a, 100 + 100 sin a), and A' = B + 100 at azimuth 270 + a =
    // (100 sin a, 100 - 100 cos a) = (0.0290888205, 0.0000042308).
    expectAt(plan, 3, 99.9999957692, 100.0290888205);
    expectAt(plan, 4, 100.0290845897, 0.0290930513);
    ASSERT_EQ(plan.closures.size(), 1u);
    const review::ClosureMeasure& closure = plan.closures.front();
    EXPECT_NEAR(closure.north, 0.0290888205, kTolerance);
    EXPECT_NEAR(closure.east, 0.0000042308, kTolerance);
    EXPECT_NEAR(closure.traverseLength, 400, kTolerance);
}

// Setup 1 at the origin, backsight 9 (no position: azimuth 0), traverse to 2,
// 100 north. Sideshot 7 at reading 0, 50.000: (50, 0). From 2, backsight 1
// (azimuth 180) and sideshot 7 at reading 0, 50.100: (49.900, 0), 0.100 apart.
const std::string kCheckShotJob = setupOn(1) + backsightTo(9) + traverseTo(2, 0) +  // 0-2
                                  sideshotTo(7, 0, 500000) +                        // 3
                                  setupOn(2) + backsightTo(1) +                     // 4-5
                                  sideshotTo(7, 0, 501000);                         // 6

TEST(PlanFrame, CheckShotFromASecondSetupIsComparedWithTheFirstPosition) {
    const review::Plan plan = reviewOf(kCheckShotJob).plan;
    expectAt(plan, 7, 50, 0);  // the first position is kept
    ASSERT_EQ(plan.checkShots.size(), 1u);
    EXPECT_EQ(plan.checkShots[0].record, 6u);
    EXPECT_EQ(plan.checkShots[0].firstRecord, 3u);
    EXPECT_NEAR(plan.checkShots[0].horizontal, 0.1, kTolerance);
    EXPECT_TRUE(plan.closures.empty());
}

TEST(PlanFrame, SetupOnAPointWithoutPositionStartsAFrameDrawnApart) {
    // After the check-shot job (points up to east 0, north 100), a setup on 50
    // starts frame 2 at its own origin; its sideshot 51 lies 10 east of 50.
    const review::Plan plan =
        reviewOf(kCheckShotJob + setupOn(50) + backsightTo(52) + sideshotTo(51, kRight, 100000))
            .plan;
    ASSERT_EQ(plan.frames.size(), 2u);
    EXPECT_EQ(plan.frames[1].startPoint, 50);
    EXPECT_EQ(plan.frames[1].startRecord, 7u);
    EXPECT_EQ(plan.find(50)->frame, 1u);
    expectAt(plan, 50, 0, 0);
    expectAt(plan, 51, 0, 10);
    // Frame 1 spans east 0 to 0, frame 2 starts east of it after a gap of at
    // least 10.
    EXPECT_GE(plan.frames[1].drawingEastOffset, 10);
    EXPECT_TRUE(plan.assumedOrientations.empty());
}

TEST(PlanFrame, FacePairReducesTheReversedReading) {
    // Direct 45 00 10.0 / 89 59 50.0, 30.000; reversed 225 00 00.0 / 270 00 20.0,
    // 30.002. Reduced: 45 00 00.0 / 89 59 40.0. Collimation difference +10.0",
    // index error (89 59 50 + 270 00 20 - 360) / 2 = +5.0", distances -0.002.
    const review::Plan plan =
        reviewOf(setupOn(1) + backsightTo(2) + sideshotTo(10, 4500100, 300000, 8959500) +
                 sideshotTo(10, 22500000, 300020, 27000200))
            .plan;
    ASSERT_EQ(plan.facePairs.size(), 1u);
    const review::FacePairMeasure& pair = plan.facePairs[0];
    EXPECT_EQ(pair.record, 3u);
    EXPECT_EQ(pair.otherRecord, 2u);
    EXPECT_NEAR(pair.horizontalSeconds, 10.0, 1e-3);
    EXPECT_NEAR(pair.indexSeconds, 5.0, 1e-3);
    EXPECT_NEAR(pair.distanceDifference, -0.002, kTolerance);
    // The point is placed from the mean of its faces: azimuth 45 00 05, zenith
    // 89 59 45, distance 30.001; horizontal 30.001 cos(15") = 30.0009999:
    // north 30.0009999 cos(45 00 05) = 21.2133962, east sin: 21.2144247;
    // elevation 1.50 + 30.001 sin(15") - 1.50 = 0.0021817.
    const review::PlanPoint* ten = plan.find(10);
    ASSERT_NE(ten, nullptr);
    EXPECT_NEAR(ten->position.north, 21.2133962, 1e-6);
    EXPECT_NEAR(ten->position.east, 21.2144247, 1e-6);
    EXPECT_NEAR(ten->position.elevation, 0.0021817, 1e-6);
}

TEST(PlanFrame, TapedPointIsPlacedFromItsStationAndReferenceEntries) {
    // Entries: 11 (reference), 12 (station), 502 TAPE EP. Setup 12 at the
    // origin, 11 shot 100 north; the taped sideshot holds 270 and 12.5, so 502
    // lies 270 degrees right of 11 from 12: 12.5 west. A taped entry first in
    // the file has no entries before it and is listed.
    // 504 reads exactly 360 whole degrees, which is still 270 (only above 360
    // is 90): from 502, with 12 as reference (azimuth 90), along azimuth
    // 90 + 270 = 360 for 5.0: (0 + 5, -12.5).
    const std::string pf =
        "503,TAPE X, \r\n11,CP, \r\n12,IP, \r\n502,TAPE EP, \r\n504,TAPE EP, \r\n";
    const review::Plan plan = reviewOf(setupOn(12) + backsightTo(99) + traverseTo(11, 0) +
                                           hvdRecord(5, 502, 0, 27000000, kLevel, 125000) +
                                           hvdRecord(5, 503, 0, 0, kLevel, 125000) +
                                           hvdRecord(5, 504, 0, 36000000, kLevel, 50000),
                                       pf)
                                  .plan;
    expectAt(plan, 502, 0, -12.5);
    expectAt(plan, 504, 5, -12.5);
    EXPECT_TRUE(plan.find(502)->taped);
    ASSERT_EQ(plan.unplacedTaped.size(), 1u);
    EXPECT_EQ(plan.unplacedTaped[0].entry, 1u);
    EXPECT_EQ(plan.unplacedTaped[0].point, 503);
    EXPECT_EQ(plan.find(503), nullptr);
}

}  // namespace
}  // namespace zendro
