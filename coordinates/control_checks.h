#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "coordinates/control_file.h"
#include "coordinates/control_tie.h"
#include "review/check_report.h"
#include "review/plan_frame.h"
#include "review/review_limits.h"

namespace zendro::coordinates {

struct ControlChecks {
    std::vector<review::Finding> findings;
    std::size_t measured = 0;  // measured checks among them
};

// The checks of a job placed on control, as lines of the review's report:
// every control point the job observes against its known position, every
// backsight from one control point to another against the direction between
// their known positions, and every group of points that could not be placed.
ControlChecks checkControl(const ControlTie& tie, const review::Plan& plan,
                           const std::vector<Observation>& records,
                           std::span<const ControlPoint> control,
                           const review::ReviewLimits& limits);

}  // namespace zendro::coordinates
