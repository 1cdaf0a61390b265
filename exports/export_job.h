#pragma once

#include <string>
#include <vector>

#include "common/conversion_options.h"
#include "coordinates/coordinate_system.h"
#include "coordinates/job_positions.h"
#include "coordinates/levelled_height.h"
#include "review/job_review.h"

namespace zendro::exports {

// Everything an export reads, all from the one job model. The pointers are
// borrowed; all but `system` must be set.
struct ExportJob {
    std::string jobName;                                    // "HWY12-3"
    const ConversionOptions* options = nullptr;             // unit, point prefix
    const review::JobReview* review = nullptr;              // records, descriptions, chains, plan
    const coordinates::JobPositions* positions = nullptr;   // the frame to write
    const coordinates::CoordinateSystem* system = nullptr;  // optional
    // The heights the job's level runs gave its points; null when the job
    // has no level runs, and then no file says a word of levels.
    const std::vector<coordinates::LevelledHeight>* levelled = nullptr;
};

}  // namespace zendro::exports
