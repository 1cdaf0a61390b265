#include "adjustment/job_adjustment.h"

#include "adjustment/network_adjustment.h"
#include "coordinates/local_positions.h"

namespace zendro::adjustment {

bool JobAdjustment::failedTest() const {
    bool failed = !result.chiSquarePassed || result.blunder.has_value();
    for (const CompassTraverse& traverse : traverses)
        failed = failed || !traverse.angularWithinLimit;
    return failed;
}

JobAdjustment adjustReviewedJob(const review::JobReview& review, const JobAdjustmentSetup& setup) {
    const coordinates::JobPositions local = coordinates::localPositions(review.plan);
    AdjustmentInput input;
    input.records = &review.records;
    input.points = &review.points;
    input.approximate = &local;
    input.control = setup.control;
    input.sigmas = setup.sigmas;
    input.limits = setup.limits;
    input.unit = setup.unit;
    input.hvdPath = setup.hvdPath;
    input.controlPath = setup.controlPath;
    JobAdjustment adjusted;
    adjusted.result = adjustNetwork(input);
    // A traverse closes on points with north and east: a height alone is no such point.
    std::vector<coordinates::ControlPoint> horizontal;
    for (const coordinates::ControlPoint& point : setup.control)
        if (point.horizontal) horizontal.push_back(point);
    adjusted.traverses = compassTraverses(review.records, review.points, review.plan, local,
                                          horizontal, setup.limits);
    adjusted.result.positions.crsCode = setup.crsCode;
    return adjusted;
}

}  // namespace zendro::adjustment
