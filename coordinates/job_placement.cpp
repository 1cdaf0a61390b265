#include "coordinates/job_placement.h"

#include "coordinates/control_checks.h"

namespace zendro::coordinates {

ControlTie placeReviewedJob(review::JobReview& review, const PlacementInput& input,
                            const review::ReviewLimits& limits) {
    ControlTie tie = tieToControl(review.plan, input.control, input.start);
    if (input.system) tie.positions.crsCode = input.system->code();
    ControlChecks checks = checkControl(tie, review.plan, review.records, input.control, limits);
    review::addFindings(review.report, std::move(checks.findings), checks.measured);
    return tie;
}

}  // namespace zendro::coordinates
