#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adjustment/adjustment_result.h"
#include "adjustment/apriori_sigmas.h"
#include "adjustment/compass_traverse.h"
#include "coordinates/control_file.h"
#include "review/job_review.h"
#include "review/review_limits.h"

namespace zendro::adjustment {

// What adjusting a reviewed job takes besides the review itself. Copies
// only, so a run off the window's thread can own it.
struct JobAdjustmentSetup {
    std::vector<coordinates::ControlPoint> control;  // held or weighted; empty: minimal constraints
    std::optional<std::string> crsCode;              // carried onto the adjusted positions
    AprioriSigmas sigmas;
    review::ReviewLimits limits;
    LengthUnit unit = kDefaultFootUnit;
    // Named in the messages of a failure.
    std::string hvdPath;
    std::string controlPath;
};

struct JobAdjustment {
    AdjustmentResult result;
    std::vector<CompassTraverse> traverses;

    // The chi-square test failed, a blunder was named or a traverse's angles
    // do not close within their limit.
    bool failedTest() const;
};

// The network adjustment and the compass rule of one reviewed job, both
// started from its local positions: the one way the command line and the
// window adjust. Throws ZendroError when the network cannot be solved.
JobAdjustment adjustReviewedJob(const review::JobReview& review, const JobAdjustmentSetup& setup);

}  // namespace zendro::adjustment
