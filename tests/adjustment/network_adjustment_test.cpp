// Networks without control: the braced quadrilateral, the datum a free
// network keeps, a loop with one blunder and a network that fixes nothing.

#include "adjustment/network_adjustment.h"

#include <gtest/gtest.h>

#include <cmath>

#include "adjustment/adjustment_report.h"
#include "common/errors.h"
#include "tests/adjustment/adjustment_test_support.h"

namespace zendro {
namespace {

using namespace testing;
using adjustment::AdjustmentResult;
using adjustment::ObservationKind;
using adjustment::ObservationResidual;
using field_format::RecordKind;

// The square A(1) 0,0  B(2) 0,100  C(3) 100,100  D(4) 100,0 (north, east).
// Each corner backsights the one before it at reading 0, reads the next at
// 90 and the far corner at 45 (azimuths at A: D 0, B 90, C 45; at B the
// backsight A lies at 270, so C at 0 reads 90 and D at 315 reads 45; and so
// round). Sides 100, diagonals 141.4214. `diagonalError` is added to the
// diagonal A-C in ten-thousandths, `angleError` to the reading B-D in packed
// units (10 = 1").
std::string bracedQuadrilateral(std::uint32_t diagonalError = 0, std::uint32_t angleError = 0) {
    return setupOn(1) + reading(RecordKind::Backsight, 4, 0, kHundred) +
           reading(RecordKind::Traverse, 2, 9000000, kHundred) +
           reading(RecordKind::Sideshot, 3, 4500000, kDiagonal + diagonalError) +
           setupOn(2) + reading(RecordKind::Backsight, 1, 0, kHundred) +
           reading(RecordKind::Traverse, 3, 9000000, kHundred) +
           reading(RecordKind::Sideshot, 4, 4500000 + angleError, kDiagonal) +
           setupOn(3) + reading(RecordKind::Backsight, 2, 0, kHundred) +
           reading(RecordKind::Traverse, 4, 9000000, kHundred) +
           reading(RecordKind::Sideshot, 1, 4500000, kDiagonal) +
           setupOn(4) + reading(RecordKind::Backsight, 3, 0, kHundred) +
           reading(RecordKind::Traverse, 1, 9000000, kHundred) +
           reading(RecordKind::Sideshot, 2, 4500000, kDiagonal);
}

const coordinates::PointPosition& at(const AdjustmentResult& result, std::int64_t number) {
    const coordinates::PointPosition* point = result.positions.find(number);
    if (point == nullptr) throw std::runtime_error("no point " + std::to_string(number));
    return *point;
}

double redundancySum(const AdjustmentResult& result, bool horizontal) {
    double sum = 0;
    for (const ObservationResidual& r : result.residuals) {
        if ((r.kind == ObservationKind::HeightDifference) != horizontal) sum += r.redundancy;
    }
    return sum;
}

TEST(NetworkAdjustment, BracedQuadrilateralKeepsItsSquare) {
    const ReviewedJob job(bracedQuadrilateral());
    const AdjustmentResult result = adjustment::adjustNetwork(job.input());
    // 12 directions and 12 distances; B, C, D (6) and the orientations at B,
    // C and D (3) are unknown: 15 degrees of freedom. Heights: 12 height
    // differences, B, C, D unknown: 9.
    EXPECT_EQ(result.horizontal.observations, 24);
    EXPECT_EQ(result.horizontal.unknowns, 9);
    EXPECT_EQ(result.horizontal.degreesOfFreedom, 15);
    EXPECT_EQ(result.vertical.degreesOfFreedom, 9);
    EXPECT_EQ(result.degreesOfFreedom, 24);
    EXPECT_TRUE(result.converged);
    // The redundancy numbers add up to the degrees of freedom (trace of
    // I - A Qxx A^T P): a wrong cofactor anywhere breaks the sum.
    EXPECT_NEAR(redundancySum(result, true), 15.0, 1e-9);
    EXPECT_NEAR(redundancySum(result, false), 9.0, 1e-9);
    // The diagonals are 0.04 mm long; the square stays within it.
    const double corners[4][2] = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(at(result, i + 1).north, corners[i][0], 1e-4) << "point " << i + 1;
        EXPECT_NEAR(at(result, i + 1).east, corners[i][1], 1e-4) << "point " << i + 1;
    }
    EXPECT_EQ(result.held, std::vector<std::int64_t>{1});
    for (int point = 2; point <= 4; ++point) {
        ASSERT_TRUE(at(result, point).precision.has_value()) << "point " << point;
        EXPECT_GE(at(result, point).precision->ellipseMajor, at(result, point).precision->ellipseMinor);
    }
    EXPECT_FALSE(result.blunder.has_value());
}

TEST(NetworkAdjustment, FreeNetworkHoldsOnlyItsDatum) {
    // A 20 mm long diagonal A-C and a 6" reading B-D strain the square.
    const ReviewedJob job(bracedQuadrilateral(200, 60));
    const AdjustmentResult free = adjustment::adjustNetwork(job.input());
    // A stays at the local origin, and A's backsight reading to D (record 1)
    // keeps azimuth 0 of the local frame: D lies at azimuth 0 plus that
    // reading's residual.
    EXPECT_EQ(at(free, 1).north, 0.0);
    EXPECT_EQ(at(free, 1).east, 0.0);
    const ObservationResidual& backsight = free.residuals.front();
    ASSERT_EQ(backsight.record, 1u);
    ASSERT_EQ(backsight.kind, ObservationKind::Direction);
    const double azimuthD = std::atan2(at(free, 4).east, at(free, 4).north) * 206264.80624709636;
    EXPECT_NEAR(azimuthD, backsight.residual, 1e-6);
    EXPECT_GT(std::abs(backsight.residual), 0.1);  // the strain reaches it
    // Minimal constraints strain nothing: holding two points where the free
    // network put them (no orientation held then) leaves every residual.
    adjustment::AdjustmentInput held = job.input();
    held.control = {control(1, at(free, 1).north, at(free, 1).east),
                    control(3, at(free, 3).north, at(free, 3).east)};
    held.control[0].elevation = at(free, 1).elevation;
    held.control[1].elevation = at(free, 3).elevation;
    const AdjustmentResult fixed = adjustment::adjustNetwork(held);
    ASSERT_EQ(fixed.residuals.size(), free.residuals.size());
    ASSERT_EQ(fixed.horizontal.degreesOfFreedom, free.horizontal.degreesOfFreedom + 1);
    for (std::size_t r = 0; r < free.residuals.size(); ++r) {
        EXPECT_NEAR(fixed.residuals[r].residual, free.residuals[r].residual, 1e-6) << "row " << r;
    }
    EXPECT_NEAR(fixed.horizontal.varianceFactor * fixed.horizontal.degreesOfFreedom,
                free.horizontal.varianceFactor * free.horizontal.degreesOfFreedom, 1e-9);
}

TEST(NetworkAdjustment, SideshotWithoutRedundancyIsNotChecked) {
    // From A (oriented on D at azimuth 0) point 1001 at reading 30 00 00,
    // 50.0000 level: N = 50 cos 30 = 43.30127, E = 50 sin 30 = 25.
    const ReviewedJob job(bracedQuadrilateral() + setupOn(1) +
                          reading(RecordKind::Backsight, 4, 0, kHundred) +
                          reading(RecordKind::Sideshot, 1001, 3000000, 500000));
    const AdjustmentResult result = adjustment::adjustNetwork(job.input());
    EXPECT_EQ(result.notChecked, std::vector<std::int64_t>{1001});
    EXPECT_FALSE(at(result, 1001).precision.has_value());
    EXPECT_NEAR(at(result, 1001).north, 43.30127, 1e-4);
    EXPECT_NEAR(at(result, 1001).east, 25.0, 1e-4);
    for (const ObservationResidual& r : result.residuals) {
        if (r.to == 1001) {
            EXPECT_EQ(r.standardized, 0.0);  // nothing to test it against
        }
    }
}

// The square walked A B C D A, each setup reading its backsight and its
// foresight on both faces (reversed: H + 180, Z 270), 100 m legs, 90 degree
// right angles. `blunder` is added to the direct foresight at B.
std::string faceLoop(std::uint32_t blunder) {
    std::string hvd;
    const std::uint16_t order[5] = {1, 2, 3, 4, 1};
    for (int i = 0; i < 4; ++i) {
        const std::uint16_t back = i == 0 ? 4 : order[i - 1];
        hvd += setupOn(order[i]) + reading(RecordKind::Backsight, back, 0, kHundred) +
               reading(RecordKind::Backsight, back, 18000000, kHundred, kReversed) +
               reading(RecordKind::Traverse, order[i + 1], 9000000 + (i == 1 ? blunder : 0), kHundred) +
               reading(RecordKind::Traverse, order[i + 1], 27000000, kHundred, kReversed);
    }
    return hvd;
}

TEST(NetworkAdjustment, LoopNamesTheBlunderedReading) {
    const ReviewedJob clean(faceLoop(0));
    EXPECT_FALSE(adjustment::adjustNetwork(clean.input()).blunder.has_value());

    // One minute too much on B's direct foresight to C: index 8 (A's setup
    // and four readings are 0-4, B's setup 5, its backsights 6-7).
    const ReviewedJob job(faceLoop(1000));  // 00 01 00.0
    const AdjustmentResult result = adjustment::adjustNetwork(job.input());
    ASSERT_TRUE(result.blunder.has_value());
    const ObservationResidual& worst = result.residuals[result.blunder->residualIndex];
    EXPECT_EQ(worst.record, 8u);
    EXPECT_EQ(worst.kind, ObservationKind::Direction);
    EXPECT_EQ(worst.from, 2);
    EXPECT_EQ(worst.to, 3);
    EXPECT_GT(std::abs(worst.standardized), result.blunderLimit);
    // Both faces share the adjusted direction, so their residuals differ by
    // the reversed minus the direct reading: 90 00 00 - 90 01 00 = -60".
    const ObservationResidual* other = nullptr;
    for (const ObservationResidual& r : result.residuals) {
        if (r.record == 9 && r.kind == ObservationKind::Direction) other = &r;
    }
    ASSERT_NE(other, nullptr);
    EXPECT_NEAR(worst.residual - other->residual, -60.0, 1e-6);
    EXPECT_EQ(result.blunder->advice,
              "re-measure the direction from point 2 to point 3 (HVD record 8)");

    // The report leads its findings with it.
    const std::string report = adjustment::adjustmentReport(result, {}, LengthUnit::Metre);
    const std::string second = report.substr(report.find('\n') + 1);
    EXPECT_EQ(second.substr(0, second.find(':', 20) + 1),
              "  Probable blunder: HVD record 8, direction from point 2 to point 3:");
}

TEST(NetworkAdjustment, AnglesAloneRefuseWithTheReason) {
    // The braced quadrilateral without a single distance has no scale.
    std::string hvd;
    const std::string full = bracedQuadrilateral();
    for (std::size_t i = 0; i < full.size(); i += field_format::kObservationRecordSize) {
        std::string record = full.substr(i, field_format::kObservationRecordSize);
        if (record[0] != 1) record.replace(field_format::kDistanceOffset, 4, std::string(4, '\0'));
        hvd += record;
    }
    // Without distances the plan cannot place anything: give it the square.
    ReviewedJob job(bracedQuadrilateral());
    job.review = review::reviewBytes(hvd, {}, ConversionOptions{}, review::defaultLimits(zendro::LengthUnit::Metre));
    adjustment::AdjustmentInput input = job.input();
    input.hvdPath = "/jobs/QUAD.HVD";
    try {
        adjustment::adjustNetwork(input);
        FAIL() << "no error";
    } catch (const ZendroError& error) {
        EXPECT_TRUE(std::string(error.what())
                        .starts_with("/jobs/QUAD.HVD: the adjustment's observations do not determine "))
            << error.what();
    }
}

}  // namespace
}  // namespace zendro
