// A straight traverse between two pairs of control points, held and weighted,
// in meters and in feet.

#include <gtest/gtest.h>

#include "adjustment/adjustment_report.h"
#include "adjustment/compass_traverse.h"
#include "adjustment/network_adjustment.h"
#include "common/errors.h"
#include "coordinates/control_file.h"
#include "tests/adjustment/adjustment_test_support.h"

namespace zendro {
namespace {

using namespace testing;
using adjustment::AdjustmentResult;
using adjustment::ObservationKind;
using coordinates::ControlHold;
using field_format::RecordKind;

// Control 101 (1000, 900), 1 (1000, 1000), 4 (1000, 1300), 104 (1000, 1400),
// north and east. The crew runs 1 - 2 - 3 - 4 due east: every setup
// backsights at reading 0 and turns 180 to the next, level, 100 apart; only
// the first leg is measured `firstLeg` (ten-thousandths). The backsights
// after the first are angles only, so each leg is measured once.
std::string straightTraverse(std::uint32_t firstLeg) {
    return setupOn(1) + reading(RecordKind::Backsight, 101, 0, kHundred) +
           reading(RecordKind::Traverse, 2, 18000000, firstLeg) +
           setupOn(2) + reading(RecordKind::Backsight, 1, 0, 0) +
           reading(RecordKind::Traverse, 3, 18000000, kHundred) +
           setupOn(3) + reading(RecordKind::Backsight, 2, 0, 0) +
           reading(RecordKind::Traverse, 4, 18000000, kHundred) +
           setupOn(4) + reading(RecordKind::Backsight, 3, 0, 0) +
           reading(RecordKind::Traverse, 104, 18000000, kHundred);
}

std::vector<coordinates::ControlPoint> bothPairs() {
    return {control(101, 1000, 900), control(1, 1000, 1000), control(4, 1000, 1300),
            control(104, 1000, 1400)};
}

// Distances of 0.005 alone, so the legs weigh the same as the control below.
adjustment::AprioriSigmas plainSigmas() { return {5, 5, 0.005, 0, 0, 0}; }

const coordinates::PointPosition& at(const AdjustmentResult& result, std::int64_t number) {
    const coordinates::PointPosition* point = result.positions.find(number);
    if (point == nullptr) throw std::runtime_error("no point " + std::to_string(number));
    return *point;
}

TEST(ControlAdjustment, TraverseBetweenTwoPairsOfHeldControl) {
    // The legs add to 300.03 between ends 300 apart: the 0.03 goes equally
    // to the three equally weighted distances, -0.01 each (the directions all
    // lie along the line and take none of it). 2 is at 1000 + 100.02, 3 at
    // 1100.02 + 99.99.
    const ReviewedJob job(straightTraverse(1000300));
    adjustment::AdjustmentInput input = job.input();
    input.control = bothPairs();
    input.sigmas = plainSigmas();
    const AdjustmentResult result = adjustment::adjustNetwork(input);
    EXPECT_NEAR(at(result, 2).north, 1000, 1e-6);
    EXPECT_NEAR(at(result, 2).east, 1100.02, 1e-6);
    EXPECT_NEAR(at(result, 3).east, 1200.01, 1e-6);
    EXPECT_EQ(at(result, 4).east, 1300);  // held
    // Along the line 2 is 1 plus the adjusted first leg, whose variance is
    // 0.005^2 (1 - 1/3): sigma E = 0.005 sqrt(2/3) = 0.0040825. The test
    // passes (v^T P v = 3 x (0.01 / 0.005)^2 = 12 on 13 - 8 = 5 degrees of
    // freedom, within 0.831 to 12.833), so the a priori sigmas stand.
    EXPECT_EQ(result.horizontal.degreesOfFreedom, 5);
    EXPECT_NEAR(result.horizontal.varianceFactor, 12.0 / 5.0, 1e-6);
    EXPECT_TRUE(result.horizontal.chiSquarePassed);
    ASSERT_TRUE(at(result, 2).precision.has_value());
    EXPECT_NEAR(at(result, 2).precision->sigmaEast, 0.0040825, 1e-7);
    for (const adjustment::ObservationResidual& r : result.residuals) {
        if (r.kind == ObservationKind::Distance && r.to != 101 && r.to != 104) {
            EXPECT_NEAR(r.residual, -0.01, 1e-6) << "from " << r.from;
        }
    }
}

TEST(ControlAdjustment, WeightedControlGivesWayHeldDoesNot) {
    // Held 1 and 4: as above, 2 at 1100.02 and 3 at 1200.01.
    const ReviewedJob job(straightTraverse(1000300));
    adjustment::AdjustmentInput input = job.input();
    input.sigmas = plainSigmas();
    input.control = {control(1, 1000, 1000), control(4, 1000, 1300)};
    const AdjustmentResult held = adjustment::adjustNetwork(input);
    EXPECT_EQ(at(held, 1).east, 1000);
    EXPECT_NEAR(at(held, 2).east, 1100.02, 1e-6);
    EXPECT_NEAR(at(held, 3).east, 1200.01, 1e-6);
    // Weighted with 0.005, as each leg: the 0.03 is shared by five equal
    // observations, 0.006 each: 1 goes west to 999.994, 4 east to 1300.006,
    // the legs become 100.024, 99.994 and 99.994.
    input.control = {control(1, 1000, 1000, ControlHold::Weighted, 0.005),
                     control(4, 1000, 1300, ControlHold::Weighted, 0.005)};
    const AdjustmentResult weighted = adjustment::adjustNetwork(input);
    EXPECT_NEAR(at(weighted, 1).east, 999.994, 1e-6);
    EXPECT_NEAR(at(weighted, 2).east, 1100.018, 1e-6);
    EXPECT_NEAR(at(weighted, 3).east, 1200.012, 1e-6);
    EXPECT_NEAR(at(weighted, 4).east, 1300.006, 1e-6);
    EXPECT_TRUE(weighted.held.empty());
    int controlRows = 0;
    for (const adjustment::ObservationResidual& r : weighted.residuals) {
        if (r.kind == ObservationKind::ControlEast) {
            ++controlRows;
            EXPECT_NEAR(std::abs(r.residual), 0.006, 1e-6) << r.from;
        }
    }
    EXPECT_EQ(controlRows, 2);

    // A free point of the control file may come without its deviation.
    input.control[1].sigmaHorizontal.reset();
    input.control[1].line = 3;
    input.controlPath = "CONTROL.TXT";
    try {
        adjustment::adjustNetwork(input);
        FAIL() << "no error";
    } catch (const ZendroError& error) {
        EXPECT_STREQ(error.what(),
                     "CONTROL.TXT: line 3: control point 4 is weighted but has no standard deviation");
    }
}

TEST(ControlAdjustment, FeetJobAgainstAFeetControlFile) {
    // The same traverse in feet, its first leg 100.06: -0.02 on each leg, 2 at
    // 1100.04 and 3 at 1200.02. The feet defaults weigh a level 100 ft leg
    // sqrt(0.01^2 + (3e-6 x 100)^2 + 0.003^2 + 0.007^2) = 0.0125734; between
    // two held ends each of three equal legs has redundancy 1 - 2/3 = 1/3, so
    // w = -0.02 / (0.0125734 sqrt(1/3)) = -2.7551, inside 3.29.
    const ReviewedJob job(straightTraverse(1000600), false);
    adjustment::AdjustmentInput input = job.input(false);
    input.control = coordinates::readControlFile(
        "CONTROL.TXT", "point,N,E,Z\n101,1000,900,0\n1,1000,1000,0\n4,1000,1300,0\n104,1000,1400,0\n");
    const AdjustmentResult result = adjustment::adjustNetwork(input);
    EXPECT_NEAR(at(result, 2).east, 1100.04, 1e-6);
    EXPECT_NEAR(at(result, 3).east, 1200.02, 1e-6);
    int legs = 0;
    for (const adjustment::ObservationResidual& r : result.residuals) {
        if (r.kind != ObservationKind::Distance || r.to == 104 || r.to == 101) continue;
        ++legs;
        EXPECT_NEAR(r.redundancy, 1.0 / 3.0, 1e-6) << r.from;
        EXPECT_NEAR(r.standardized, -2.7551, 1e-4) << r.from;
    }
    EXPECT_EQ(legs, 3);
    EXPECT_FALSE(result.blunder.has_value());

    // The compass rule on the same legs: no angular misclosure, 0.06 ft
    // along 300.06 ft, 1:5001.
    const auto traverses = adjustment::compassTraverses(job.review.records, job.review.points,
                                                        job.review.plan, job.local, input.control,
                                                        input.limits);
    ASSERT_EQ(traverses.size(), 1u);
    const std::string report = adjustment::adjustmentReport(result, traverses, LengthUnit::UsSurveyFoot);
    EXPECT_NE(report.find("\n    linear misclosure N +0.0000 E +0.0600 ft over 300.060 ft, "
                          "precision 1:5001\n"),
              std::string::npos)
        << report;
}

// A setup on held 1 reading held 2 and a sideshot to 3: the heights of 1 and 2
// are both held, so the vertical part has a row (1 to 2) and nothing to
// adjust but 3. Without 3 it had nothing at all: the part is not solved, and
// judging the points must not read the redundancies it never made.
TEST(ControlAdjustment, APartWhosePointsAreAllHeldIsNotSolved) {
    const ReviewedJob job(setupOn(1) + reading(RecordKind::Backsight, 2, 0, kHundred));
    adjustment::AdjustmentInput input = job.input();
    input.control = {control(1, 1000, 1000), control(2, 1100, 1000)};
    const AdjustmentResult result = adjustment::adjustNetwork(input);
    EXPECT_EQ(result.vertical.unknowns, 0);
    EXPECT_EQ(result.held, (std::vector<std::int64_t>{1, 2}));
    EXPECT_FALSE(at(result, 1).precision.has_value());
}

}  // namespace
}  // namespace zendro
