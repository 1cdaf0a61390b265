// The corridor job against the review: readings made from true positions with
// the instrument and target heights review clean, and the review's local plan
// holds the true shape of the job.

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "tests/genjob/corridor_review.h"
#include "tools/genjob/corridor_plan.h"

namespace zendro::testing {
namespace {

genjob::CorridorShape shapeOf(std::size_t points, std::uint32_t seed, bool metric = false) {
    genjob::CorridorShape shape;
    shape.job.jobName = "HWY7";
    shape.job.points = points;
    shape.job.seed = seed;
    shape.metric = metric;
    if (metric) shape.instrument.distanceConstant = 0.003;
    return shape;
}

std::string findingLines(const review::ReviewReport& report) {
    std::string lines;
    for (const review::Finding& finding : report.findings) lines += finding.text + "\n";
    return lines;
}

// Every backsight, face pair and check shot the job measures is within the
// default limits, in feet and in meters; the job has all three kinds of check,
// so a clean report is not an empty one.
TEST(CorridorJob, ReviewsWithNoFindingOverLimit) {
    for (const auto& [seed, metric] : {std::pair{28u, false}, {3u, false}, {28u, true}}) {
        const genjob::JobPlan plan = genjob::planCorridor(shapeOf(50, seed, metric));
        const review::JobReview review = reviewPlan(plan, metric);
        SCOPED_TRACE("seed " + std::to_string(seed) + (metric ? " metric" : " feet"));
        EXPECT_EQ(review.report.overLimit, 0u) << findingLines(review.report);
        EXPECT_EQ(review.plan.frames.size(), 1u);
        EXPECT_GE(review.plan.backsights.size(), 3u);
        EXPECT_GE(review.plan.facePairs.size(), 3u);
        EXPECT_GE(review.plan.checkShots.size(), 2u);
        EXPECT_TRUE(review.plan.unplacedTaped.empty());
    }
}

struct Offsets {
    double horizontal = 0;  // the largest difference of a distance between two points
    double elevation = 0;   // of an elevation above the first station
};

// The review's plan against the truth. The review starts its frame at the
// first station (point 2) and turns it to the first backsight, so distances
// between points and heights above point 2 are what both must agree on.
Offsets worstOffsets(const genjob::JobPlan& plan, const review::Plan& local) {
    std::map<std::uint16_t, genjob::TruePosition> truth;
    for (const genjob::TruePoint& point : plan.truth) truth[point.number] = point.position;
    const genjob::TruePosition& origin = truth.at(2);
    Offsets worst;
    truth.erase(1);  // only backsighted: the review gives it no position
    for (const auto& [number, position] : truth) {
        const review::PlanPoint* placed = local.find(number);
        if (placed == nullptr) {
            ADD_FAILURE() << "point " << number << " has no position in the review";
            continue;
        }
        worst.elevation = std::max(worst.elevation,
                                   std::abs(placed->position.elevation -
                                            (position.elevation - origin.elevation)));
        for (const auto& [otherNumber, other] : truth) {
            const review::PlanPoint* otherPlaced = local.find(otherNumber);
            if (otherPlaced == nullptr) continue;
            const double trueDistance =
                std::hypot(position.north - other.north, position.east - other.east);
            const double localDistance =
                std::hypot(placed->position.north - otherPlaced->position.north,
                           placed->position.east - otherPlaced->position.east);
            worst.horizontal = std::max(worst.horizontal, std::abs(localDistance - trueDistance));
        }
    }
    return worst;
}

// Without random errors the readings carry only their rounding (a tenth of a
// second is 0.0003 ft at 600 ft; distances are kept to 0.0001), so every
// distance and height agrees within 0.001 ft, taped points included.
TEST(CorridorJob, ExactReadingsGiveTheTruePositions) {
    genjob::CorridorShape shape = shapeOf(60, 11);
    shape.instrument = {0, 0, 0, 0};
    const genjob::JobPlan plan = genjob::planCorridor(shape);
    const Offsets worst = worstOffsets(plan, reviewPlan(plan).plan);
    EXPECT_LT(worst.horizontal, 0.001);
    EXPECT_LT(worst.elevation, 0.001);
}

// With the 5" instrument the errors grow along the traverse: 80 points make
// 7 stations, 6 legs of 300 to 600 ft (about 450). Each foresight is the mean
// of two faces, 5" / sqrt(2) = 3.5" = 1.7e-5 rad. Sideways, an open traverse of
// n legs of length L drifts by sigma x L x sqrt(n(n+1)(2n+1)/6)
// = 1.7e-5 x 450 x sqrt(6 x 7 x 13 / 6) = 1.7e-5 x 450 x 9.5 = 0.073 ft, so
// 0.2 ft is near three sigma. In height each leg adds 1.7e-5 x 450 = 0.0077 ft,
// sqrt(6) x 0.0077 = 0.019 ft over the six, so 0.08 ft is four sigma. A missed
// instrument or target height is about 5 ft.
TEST(CorridorJob, ReadingsWithErrorsStayNearTheTruePositions) {
    const genjob::JobPlan plan = genjob::planCorridor(shapeOf(80, 28));
    const Offsets worst = worstOffsets(plan, reviewPlan(plan).plan);
    EXPECT_LT(worst.horizontal, 0.2);
    EXPECT_LT(worst.elevation, 0.08);
}

}  // namespace
}  // namespace zendro::testing
