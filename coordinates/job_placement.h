#pragma once

#include <optional>
#include <vector>

#include "coordinates/control_file.h"
#include "coordinates/control_tie.h"
#include "coordinates/coordinate_system.h"
#include "coordinates/manual_start.h"
#include "review/job_review.h"

namespace zendro::coordinates {

// Where a job is to be placed: what the command line or the window read
// before converting.
struct PlacementInput {
    std::vector<ControlPoint> control;
    std::optional<ManualStart> start;
    std::optional<CoordinateSystem> system;

    bool wanted() const { return !control.empty() || start.has_value(); }
};

// Ties the reviewed job to its control (or its start by hand) and adds the
// control checks to the review's report.
ControlTie placeReviewedJob(review::JobReview& review, const PlacementInput& input,
                            const review::ReviewLimits& limits);

}  // namespace zendro::coordinates
