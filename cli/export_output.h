#pragma once

#include <string>

#include "cli/export_flags.h"
#include "common/conversion_options.h"
#include "coordinates/job_placement.h"
#include "review/job_review.h"

namespace zendro::cli {

// Writes the exports of one reviewed job from `positions`, the frame the job
// was placed in. Returns 0, or 1 after printing why on stderr (the
// conversion's files stand; no export file is half-written).
int writeJobExports(const std::string& file, const review::JobReview& review,
                    const coordinates::JobPositions& positions,
                    const coordinates::PlacementInput& placement,
                    const ConversionOptions& options, const ExportFlags& flags);

}  // namespace zendro::cli
