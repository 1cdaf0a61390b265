#pragma once

#include <string>
#include <vector>

#include "adjustment/apriori_sigmas.h"
#include "conversion/observation.h"
#include "coordinates/control_file.h"
#include "coordinates/job_positions.h"
#include "features/point_table.h"
#include "review/review_limits.h"

namespace zendro::adjustment {

// What an adjustment of one job reads. The pointers stay owned by the caller
// and must outlive the call.
struct AdjustmentInput {
    const std::vector<Observation>* records = nullptr;  // the job's HVD records
    const PointTable* points = nullptr;                 // tells the taped points
    const coordinates::JobPositions* approximate = nullptr;  // local (or tied) positions
    std::vector<coordinates::ControlPoint> control;          // may be empty
    AprioriSigmas sigmas;
    review::ReviewLimits limits;
    LengthUnit unit = kDefaultFootUnit;
    // Named in the messages of a failure: the job's HVD file and the control file.
    std::string hvdPath;
    std::string controlPath;

    // What a failure's message names first: the HVD file, else "adjustment".
    std::string failureSource() const { return hvdPath.empty() ? "adjustment" : hvdPath; }
};

}  // namespace zendro::adjustment
