// Verdicts on traverse shapes, faces and sets, worked out by hand: what the
// crew is told to re-measure must follow from the part of a check that failed.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "review/check_report.h"
#include "review/plan_frame.h"
#include "tests/review/review_test_support.h"

namespace zendro {
namespace {

using namespace testing;

constexpr std::uint32_t kRight = 9000000;  // 90 00 00.0

std::string record(int kind, std::uint16_t point, std::uint32_t horizontal, std::uint32_t zenith,
                   std::uint16_t height = kHeight) {
    return hvdRecord(kind, point, height, horizontal, zenith, kHundred);
}

// Square 1 2 3 4 of 100 legs as in the plan tests, each setup written by `station`.
std::string square(const std::function<std::string(std::uint16_t at, std::uint16_t back,
                                                   std::uint16_t ahead)>& station) {
    return station(1, 4, 2) + station(2, 1, 3) + station(3, 2, 4) + station(4, 3, 1);
}

TEST(Verdicts, LoopOffAStemIsMeasuredAlongTheLoopOnly) {
    // Stem 1 -> 2 (300 north), loop 2 -> 3 -> 4 -> 5 -> 2 of 100 legs, 90 01 at 4.
    // The error turns 4 -> 5 -> 2 by 1' about 4: 4 -> 2 is (100, 100), turned to
    // azimuth 45 01: misclosure north 141.4214 cos(45 01) - 100 = -0.0291,
    // east +0.0291, linear 0.0411378; 400 / 0.0411378 = 9723.4: 1:9723, over
    // 1:10000 (the stem's 300 would have made it 700 / 0.0411 = 1:17015).
    const std::string hvd =
        setupOn(1) + backsightTo(9) + traverseTo(2, 0, 3 * kHundred) +            // 0-2
        setupOn(2) + backsightTo(1) + traverseTo(3, kRight) +                     // 3-5
        setupOn(3) + backsightTo(2) + traverseTo(4, kRight) +                     // 6-8
        setupOn(4) + backsightTo(3) + traverseTo(5, 9001000) +                    // 9-11
        setupOn(5) + backsightTo(4) + traverseTo(2, kRight);                      // 12-14
    const review::ReviewReport report = reviewOf(hvd, pfListing({1, 2, 3, 4, 5, 9})).report;
    ASSERT_FALSE(report.findings.empty()) << report.text();
    EXPECT_EQ(report.findings.back().text,
              "HVD record 14, setup on 5, point 2: traverse closure: misclosure north -0.0291 east 0.0291 "
              "elevation 0.0000, linear 0.0411 over 400.000, precision 1:9723; limit 1:10000, "
              "elevation 0.100: OVER LIMIT, re-measure the traverse angles and distances");
}

TEST(Verdicts, ClosingShotOnBothFacesIsOneClosureFromTheirMean) {
    // The last leg read 90 00 10 direct and 269 59 50 reversed (reduced 89 59 50):
    // mean 90 00 00, so the square closes exactly, once, at the first reading.
    const std::string hvd = square([](std::uint16_t at, std::uint16_t back, std::uint16_t ahead) {
        std::string s = setupOn(at) + backsightTo(back);
        if (at != 4) return s + traverseTo(ahead, kRight);
        return s + record(4, ahead, 9000100, kLevel) + record(4, ahead, 26959500, 27000000);
    });
    const review::Plan plan = reviewOf(hvd, pfListing({1, 2, 3, 4})).plan;
    ASSERT_EQ(plan.closures.size(), 1u);
    EXPECT_EQ(plan.closures[0].record, 11u);
    EXPECT_NEAR(std::hypot(plan.closures[0].north, plan.closures[0].east), 0, 1e-6);
}

TEST(Verdicts, BacksightBothFacesThenForesightDirectUsesTheDirectBacksight) {
    // Collimation 15" at every station: BS D 0 00 15, BS R 179 59 45 (reduced
    // 359 59 45), FS D 90 00 15. Against the direct backsight the angle is 90
    // exactly; against the reversed one it would be 90 00 30 and 1:9722 over.
    const std::string hvd = square([](std::uint16_t at, std::uint16_t back, std::uint16_t ahead) {
        return setupOn(at) + record(3, back, 150, kLevel) + record(3, back, 17959450, 27000000) +
               record(4, ahead, 9000150, kLevel);
    });
    const review::Plan plan = reviewOf(hvd, pfListing({1, 2, 3, 4})).plan;
    ASSERT_EQ(plan.closures.size(), 1u);
    EXPECT_NEAR(std::hypot(plan.closures[0].north, plan.closures[0].east), 0, 1e-6);
    EXPECT_EQ(plan.backsights.size(), 3u);  // one per backsight, at setups 2 to 4
}

TEST(Verdicts, SetOfBothFacesReducesEachFaceOnItsOwnBacksight) {
    // Round BS D, FS D, FS R, BS R with collimation 5": BS D 0 00 05, FS D 90 00 05,
    // FS R 269 59 55 (reduced 89 59 55), BS R 179 59 55 (reduced 359 59 55), read
    // after the foresight. Each face turns 90 exactly: the square closes.
    const std::string hvd = square([](std::uint16_t at, std::uint16_t back, std::uint16_t ahead) {
        return setupOn(at) + record(3, back, 50, kLevel) + record(4, ahead, 9000050, kLevel) +
               record(4, ahead, 26959550, 27000000) + record(3, back, 17959550, 27000000);
    });
    const review::Plan plan = reviewOf(hvd, pfListing({1, 2, 3, 4})).plan;
    ASSERT_EQ(plan.closures.size(), 1u);
    EXPECT_NEAR(std::hypot(plan.closures[0].north, plan.closures[0].east), 0, 1e-6);
    EXPECT_NEAR(plan.closures[0].traverseLength, 400, 1e-6);
}

TEST(Verdicts, VerticalOnlyMisclosurePointsToHeightsAndZeniths) {
    // The instrument height at 3 keyed 1.64 instead of 1.50: 4 and the closing
    // shot on 1 come out 0.14 high, over 0.100; horizontally exact.
    const std::string hvd = square([](std::uint16_t at, std::uint16_t back, std::uint16_t ahead) {
        return hvdRecord(1, at, at == 3 ? 164 : kHeight) + backsightTo(back) +
               traverseTo(ahead, kRight);
    });
    const review::ReviewReport report = reviewOf(hvd, pfListing({1, 2, 3, 4})).report;
    ASSERT_FALSE(report.findings.empty());
    EXPECT_EQ(report.findings.back().text,
              "HVD record 11, setup on 4, point 1: traverse closure: misclosure north 0.0000 east 0.0000 "
              "elevation 0.1400, linear 0.0000 over 400.000, precision exact; limit 1:10000, "
              "elevation 0.100: OVER LIMIT, check the instrument and target heights and the "
              "zenith angles");
}

TEST(Verdicts, AngleOnlyBacksightSaysNoDistanceAndIsNotChecked) {
    // At 3 the backsight on 2 has distance 0: no backsight check for it (2 and 4 remain).
    const std::string hvd = square([](std::uint16_t at, std::uint16_t back, std::uint16_t ahead) {
        return setupOn(at) + backsightTo(back, 0, at == 3 ? 0 : kHundred) + traverseTo(ahead, kRight);
    });
    const review::JobReview review = reviewOf(hvd, pfListing({1, 2, 3, 4}));
    EXPECT_EQ(review.plan.backsights.size(), 2u);
    ASSERT_EQ(review.report.findings.size(), 2u);
    EXPECT_EQ(review.report.findings[0].text,
              "HVD record 7, setup on 3, point 2: OBS warning \"Backsight Distance Error\": no distance was "
              "measured (angle only), so the backsight distance is not checked");
}

}  // namespace
}  // namespace zendro
