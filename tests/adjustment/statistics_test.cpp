// The chi-square bounds and tests, the 95% ellipse and the selected inverse,
// against values from tables and worked by hand.

#include <gtest/gtest.h>

#include "adjustment/adjustment_report.h"
#include "adjustment/chi_square_test.h"
#include "adjustment/error_ellipse.h"
#include "adjustment/network_adjustment.h"
#include "adjustment/selected_inverse.h"
#include "coordinates/control_file.h"
#include "tests/adjustment/adjustment_test_support.h"
#include "tests/support/held_traverse.h"

namespace zendro {
namespace {

using namespace adjustment;

TEST(ChiSquare, BoundsForKnownDegreesOfFreedom) {
    // Table values of chi-square(0.025, f) and chi-square(0.975, f).
    const struct {
        int f;
        double lower, upper;
    } table[] = {{1, 0.000982, 5.023886}, {10, 3.246973, 20.483177}, {24, 12.401150, 39.364077}};
    for (const auto& row : table) {
        const ChiSquareBounds bounds = chiSquareBounds(row.f);
        EXPECT_NEAR(bounds.lower, row.lower, 1e-6) << row.f;
        EXPECT_NEAR(bounds.upper, row.upper, 1e-6) << row.f;
    }
    EXPECT_THROW(chiSquareBounds(0), std::domain_error);
    // sqrt(chi-square(0.95, 2)) = sqrt(-2 ln 0.05) = sqrt(5.991465) = 2.447747.
    EXPECT_NEAR(ellipse95Scale(), 2.447747, 1e-6);
}

// The held traverse (tests/support/held_traverse.h) with its first leg 0.0165
// long, 10" on the angle at 2 and its last height difference 0.01 high,
// adjusted with the deviations of each row (no centring). The test compares
// the statistic v^T P v = f s0^2, not the variance factor, with the bounds:
// chi-square(0.025, 0.975) is 2.18 to 17.53 for f = 8, 1.24 to 14.45 for 6
// and 5.63 to 26.12 for both parts' 14.
struct ChiSquareCase {
    double directionSeconds, zenithSeconds, distance;
    const char* horizontal;  // the report's lines, whole
    const char* vertical;
    const char* overall;
};

const ChiSquareCase kChiSquareCases[] = {
    // Sound: 2 (0.0165)^2 / (3 x 0.005^2) + 0.15 (10/4)^2 = 7.26 + 0.9375 =
    // 8.1975 (s0^2 1.025); sh = 100 x 7" = 0.0033937, 2 (0.01)^2 / (3 sh^2) =
    // 5.7885 (0.965): both pass, though a variance factor near 1 lies below
    // the lower bound of 8 and of 6.
    {4, 7, 0.005,
     "  Horizontal: 16 observations, 8 unknowns, 8 degrees of freedom, variance factor 1.025, "
     "chi-square 8.20 against 2.18 to 17.53: passed",
     "  Vertical: 8 observations, 2 unknowns, 6 degrees of freedom, variance factor 0.965, "
     "chi-square 5.79 against 1.24 to 14.45: passed",
     "Variance factor 0.999, 14 degrees of freedom, chi-square 13.99 against 5.63 to 26.12: "
     "passed"},
    // Optimistic deviations: 2 (0.0165)^2 / (3 x 0.003^2) + 0.15 (10/2)^2 =
    // 20.167 + 3.75 = 23.917 (2.990); sh = 100 x 3" = 0.0014544, 31.515
    // (5.252): both fail above, with variance factors inside the bounds.
    {2, 3, 0.003,
     "  Horizontal: 16 observations, 8 unknowns, 8 degrees of freedom, variance factor 2.990, "
     "chi-square 23.92 against 2.18 to 17.53: failed high",
     "  Vertical: 8 observations, 2 unknowns, 6 degrees of freedom, variance factor 5.252, "
     "chi-square 31.51 against 1.24 to 14.45: failed high",
     "Variance factor 3.959, 14 degrees of freedom, chi-square 55.43 against 5.63 to 26.12: "
     "failed high"},
    // Pessimistic deviations: 0.4538 + 0.0375 = 0.4913 and, sh = 100 x 20",
    // 0.7091: both fail below.
    {20, 20, 0.02,
     "  Horizontal: 16 observations, 8 unknowns, 8 degrees of freedom, variance factor 0.061, "
     "chi-square 0.49 against 2.18 to 17.53: failed low",
     "  Vertical: 8 observations, 2 unknowns, 6 degrees of freedom, variance factor 0.118, "
     "chi-square 0.71 against 1.24 to 14.45: failed low",
     "Variance factor 0.086, 14 degrees of freedom, chi-square 1.20 against 5.63 to 26.12: "
     "failed low"},
};

TEST(ChiSquare, EachPartTestsItsStatisticAgainstTheBounds) {
    const testing::ReviewedJob job(testing::heldTraverseHvd(165, 100, 1));
    adjustment::AdjustmentInput input = job.input();
    input.control = coordinates::readControlFile("CONTROL", testing::kHeldTraverseControl);
    for (const ChiSquareCase& c : kChiSquareCases) {
        input.sigmas = {c.directionSeconds, c.zenithSeconds, c.distance, 0, 0, 0};
        const adjustment::AdjustmentResult result = adjustment::adjustNetwork(input);
        const std::string report = adjustment::adjustmentReport(result, {}, LengthUnit::Metre);
        const auto line = [&](const std::string& start) {
            const std::size_t at = report.find("\n" + start);
            return at == std::string::npos ? report
                                           : report.substr(at + 1, report.find('\n', at + 1) - at - 1);
        };
        EXPECT_EQ(line("  Horizontal:"), c.horizontal);
        EXPECT_EQ(line("  Vertical:"), c.vertical);
        EXPECT_EQ(adjustment::overallTestText(result), c.overall);
    }
}

TEST(ErrorEllipse, AxesAndAzimuthFromTheCovariance) {
    // Variances N 4, E 1, no covariance: axes 2 and 1 along north.
    coordinates::PointPrecision north = horizontalPrecision(4, 1, 0);
    EXPECT_NEAR(north.ellipseMajor, 2 * 2.447747, 1e-6);
    EXPECT_NEAR(north.ellipseMinor, 2.447747, 1e-6);
    EXPECT_NEAR(north.ellipseAzimuthDegrees, 0, 1e-9);
    EXPECT_NEAR(north.sigmaNorth, 2, 1e-12);
    EXPECT_NEAR(north.sigmaEast, 1, 1e-12);
    // Variances 2 and 2, covariance 1: eigenvalues 3 and 1, the major one
    // along (1, 1), azimuth 45; axes sqrt 3 and 1 times 2.447747.
    coordinates::PointPrecision diagonal = horizontalPrecision(2, 2, 1);
    EXPECT_NEAR(diagonal.ellipseMajor, 1.7320508 * 2.447747, 1e-6);
    EXPECT_NEAR(diagonal.ellipseMinor, 2.447747, 1e-6);
    EXPECT_NEAR(diagonal.ellipseAzimuthDegrees, 45, 1e-9);
    // Covariance -1 turns it to azimuth 135 (south-east to north-west).
    EXPECT_NEAR(horizontalPrecision(2, 2, -1).ellipseAzimuthDegrees, 135, 1e-9);
}

Eigen::SparseMatrix<double> lowerOf(const Eigen::MatrixXd& dense) {
    return Eigen::MatrixXd(dense.triangularView<Eigen::Lower>()).sparseView();
}

TEST(SelectedInverse, EntriesOnThePatternMatchTheInverse) {
    // [2 -1 0; -1 2 -1; 0 -1 2] has the inverse [3 2 1; 2 4 2; 1 2 3] / 4.
    Eigen::MatrixXd chain(3, 3);
    chain << 2, -1, 0, -1, 2, -1, 0, -1, 2;
    SelectedInverse::Factor factor(lowerOf(chain));
    const SelectedInverse q(factor);
    EXPECT_NEAR(q.at(0, 0), 0.75, 1e-12);
    EXPECT_NEAR(q.at(1, 1), 1.0, 1e-12);
    EXPECT_NEAR(q.at(2, 2), 0.75, 1e-12);
    EXPECT_NEAR(q.at(0, 1), 0.5, 1e-12);
    EXPECT_NEAR(q.at(2, 1), 0.5, 1e-12);

    // A full [4 1 1; 1 3 1; 1 1 2]: determinant 4 x 5 - 1 x 1 + 1 x (1 - 3) = 17,
    // cofactors 5, -1, -2, 7, -3, 11; every pair is on the pattern.
    Eigen::MatrixXd full(3, 3);
    full << 4, 1, 1, 1, 3, 1, 1, 1, 2;
    SelectedInverse::Factor fullFactor(lowerOf(full));
    const SelectedInverse f(fullFactor);
    const double cofactors[3][3] = {{5, -1, -2}, {-1, 7, -3}, {-2, -3, 11}};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(f.at(i, j), cofactors[i][j] / 17.0, 1e-12) << i << j;
    }

    // The arrow [4 b^T; b 3I], b = (1, 1, 1): the Schur complement is
    // 4 - 3 (1/3) = 3, so Q00 = 1/3, Q0i = -(1/3)(1/3) = -1/9, and
    // Qii = 1/3 + (1/3)(1/3)(1/3) = 10/27.
    Eigen::MatrixXd arrow = 3 * Eigen::MatrixXd::Identity(4, 4);
    arrow(0, 0) = 4;
    for (int i = 1; i < 4; ++i) arrow(0, i) = arrow(i, 0) = 1;
    SelectedInverse::Factor arrowFactor(lowerOf(arrow));
    const SelectedInverse r(arrowFactor);
    EXPECT_NEAR(r.at(0, 0), 1.0 / 3.0, 1e-12);
    for (int i = 1; i < 4; ++i) {
        EXPECT_NEAR(r.at(0, i), -1.0 / 9.0, 1e-12) << i;
        EXPECT_NEAR(r.at(i, 0), -1.0 / 9.0, 1e-12) << i;
        EXPECT_NEAR(r.at(i, i), 10.0 / 27.0, 1e-12) << i;
    }
}

}  // namespace
}  // namespace zendro
