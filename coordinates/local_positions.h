#pragma once

#include "coordinates/job_positions.h"
#include "review/plan_frame.h"

namespace zendro::coordinates {

// The review's plan frame as positions: the local frame of the job.
JobPositions localPositions(const review::Plan& plan);

}  // namespace zendro::coordinates
