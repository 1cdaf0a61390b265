// The compass rule on a closed loop and on a traverse between control.

#include "adjustment/compass_traverse.h"

#include <gtest/gtest.h>

#include "tests/adjustment/adjustment_test_support.h"

namespace zendro {
namespace {

using namespace testing;
using adjustment::CompassTraverse;
using field_format::RecordKind;

std::vector<CompassTraverse> traversesOf(const ReviewedJob& job,
                                         const std::vector<coordinates::ControlPoint>& control = {}) {
    return adjustment::compassTraverses(job.review.records, job.review.points, job.review.plan,
                                        job.local, control, review::defaultLimits(zendro::LengthUnit::Metre));
}

void expectPoint(const adjustment::CompassPoint& point, std::int64_t number, double north,
                 double east) {
    EXPECT_EQ(point.number, number);
    EXPECT_NEAR(point.north, north, 1e-6) << "point " << number;
    EXPECT_NEAR(point.east, east, 1e-6) << "point " << number;
}

TEST(CompassTraverse, ClosedLoopSpreadsItsAngularMisclosure) {
    // The square A(1) B(2) C(3) D(4), 100 legs, right angles but 90 00 30 at
    // B. A is at 0,0 and D north of it (azimuth 0 of the local frame), so the
    // first leg A-B runs at 90. Carried round: B-C 0 00 30, C-D 270 00 30,
    // D-A 180 00 30, A-B again 90 00 30: misclosure +30" over 4 angles, limit
    // 10" sqrt 4 = 20". Balanced by -7.5" per angle the legs run at 90,
    // 0 00 22.5, 270 00 15, 180 00 07.5: latitudes 0, 100 cos 22.5",
    // 100 sin 15" = 0.0072722, -100 cos 7.5"; departures 100, 100 sin 22.5" =
    // 0.0109083, -100 cos 15", -100 sin 7.5" = -0.0036361. Misclosure
    // N 0.0072722 - 100 (cos 7.5" - cos 22.5") = 0.0072722 - 0.0000005 = 0.0072717,
    // E 0.0109083 - 0.0036361 + 100 (1 - cos 15") = 0.0072722 + 0.0000003 = 0.0072725,
    // over 400. Compass: B takes 1/4 of it, C 1/2, D 3/4.
    const auto leg = [](RecordKind kind, std::uint16_t point, std::uint32_t h) {
        return reading(kind, point, h, kHundred);
    };
    const std::string hvd =
        setupOn(1) + leg(RecordKind::Backsight, 4, 0) + leg(RecordKind::Traverse, 2, 9000000) +
        setupOn(2) + leg(RecordKind::Backsight, 1, 0) + leg(RecordKind::Traverse, 3, 9000300) +
        setupOn(3) + leg(RecordKind::Backsight, 2, 0) + leg(RecordKind::Traverse, 4, 9000000) +
        setupOn(4) + leg(RecordKind::Backsight, 3, 0) + leg(RecordKind::Traverse, 1, 9000000);
    const ReviewedJob job(hvd);
    const std::vector<CompassTraverse> traverses = traversesOf(job);
    ASSERT_EQ(traverses.size(), 1u);
    const CompassTraverse& t = traverses.front();
    EXPECT_TRUE(t.closed);
    EXPECT_EQ(t.stations, (std::vector<std::int64_t>{1, 2, 3, 4}));
    EXPECT_EQ(t.angles, 4);
    EXPECT_NEAR(t.angularMisclosureSeconds, 30.0, 1e-6);
    EXPECT_NEAR(t.angularLimitSeconds, 20.0, 1e-12);
    EXPECT_FALSE(t.angularWithinLimit);
    EXPECT_NEAR(t.length, 400, 1e-9);
    EXPECT_NEAR(t.misclosureNorth, 0.0072717, 1e-7);
    EXPECT_NEAR(t.misclosureEast, 0.0072725, 1e-7);
    ASSERT_EQ(t.adjusted.size(), 4u);
    expectPoint(t.adjusted[0], 1, 0, 0);
    // B: (0, 100) less a quarter: (-0.0018179, 99.9981819).
    EXPECT_NEAR(t.adjusted[1].north, -0.0018179, 1e-6);
    EXPECT_NEAR(t.adjusted[1].east, 99.9981819, 1e-6);
    // C: (99.9999994, 100.0109083) less a half: (99.9963636, 100.0072721).
    EXPECT_NEAR(t.adjusted[2].north, 99.9963636, 1e-6);
    EXPECT_NEAR(t.adjusted[2].east, 100.0072721, 1e-6);
    // D: (100.0072716, 0.0109086) less three quarters: (100.0018178, 0.0054542).
    EXPECT_NEAR(t.adjusted[3].north, 100.0018178, 1e-6);
    EXPECT_NEAR(t.adjusted[3].east, 0.0054542, 1e-6);
}

TEST(CompassTraverse, ConnectingTraverseEndsOnItsControl) {
    // 101 (1000, 900), 1 (1000, 1000) ... 4 (1000, 1300), 104 (1000, 1400):
    // angles of 180 all along close exactly (1 to 101 at 270, + 180 = 90, and
    // so on to 4 - 104 at 90). The legs add to 300.03 against 300: E +0.03,
    // spread by length: 2 at 1100.03 - 0.03 x 100.03 / 300.03 = 1100.0199983,
    // 3 at 1200.03 - 0.03 x 200.03 / 300.03 = 1200.0099993, 4 on 1300.
    const std::string hvd =
        setupOn(1) + reading(RecordKind::Backsight, 101, 0, kHundred) +
        reading(RecordKind::Traverse, 2, 18000000, 1000300) + setupOn(2) +
        reading(RecordKind::Backsight, 1, 0, 0) + reading(RecordKind::Traverse, 3, 18000000, kHundred) +
        setupOn(3) + reading(RecordKind::Backsight, 2, 0, 0) +
        reading(RecordKind::Traverse, 4, 18000000, kHundred) + setupOn(4) +
        reading(RecordKind::Backsight, 3, 0, 0) + reading(RecordKind::Traverse, 104, 18000000, kHundred);
    const ReviewedJob job(hvd);
    EXPECT_TRUE(traversesOf(job).empty());  // no control: nothing to connect
    const std::vector<CompassTraverse> traverses =
        traversesOf(job, {control(101, 1000, 900), control(1, 1000, 1000), control(4, 1000, 1300),
                          control(104, 1000, 1400)});
    ASSERT_EQ(traverses.size(), 1u);
    const CompassTraverse& t = traverses.front();
    EXPECT_FALSE(t.closed);
    EXPECT_EQ(t.startReference, 101);
    EXPECT_EQ(t.endReference, 104);
    EXPECT_EQ(t.angles, 4);
    EXPECT_NEAR(t.angularMisclosureSeconds, 0, 1e-6);
    EXPECT_NEAR(t.misclosureEast, 0.03, 1e-6);
    EXPECT_NEAR(t.misclosureNorth, 0, 1e-6);
    ASSERT_EQ(t.adjusted.size(), 4u);
    expectPoint(t.adjusted[1], 2, 1000, 1100.0199983);
    expectPoint(t.adjusted[2], 3, 1000, 1200.0099993);
    expectPoint(t.adjusted[3], 4, 1000, 1300);
}

}  // namespace
}  // namespace zendro
