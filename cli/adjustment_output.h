#pragma once

#include <optional>
#include <string>

#include "cli/adjustment_flags.h"
#include "coordinates/job_placement.h"
#include "coordinates/job_positions.h"
#include "review/job_review.h"

namespace zendro::cli {

struct AdjustmentOutcome {
    std::optional<coordinates::JobPositions> positions;  // adjusted, when it ran
    // The chi-square test failed, a blunder was named or a traverse's angles
    // do not close within their limit.
    bool failedTest = false;
    bool failed = false;      // it could not run; the reason is on stderr
};

// Adjusts one reviewed job and prints its report on stdout (each line after
// `linePrefix`), or why it could not run on stderr.
AdjustmentOutcome adjustJob(const std::string& file, const review::JobReview& review,
                            const coordinates::PlacementInput& placement,
                            const std::string& controlPath, const review::ReviewLimits& limits,
                            const AdjustmentFlags& flags, LengthUnit unit,
                            const std::string& linePrefix);

}  // namespace zendro::cli
