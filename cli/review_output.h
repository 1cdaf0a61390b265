#pragma once

#include <string>

#include "cli/review_flags.h"
#include "review/job_review.h"

namespace zendro::cli {

inline constexpr int kLimitExceeded = 3;

// After a job's successful conversion: prints its report (--review; each line
// starting with the job's file when `several` jobs were given), writes the
// sketch (--sketch) and returns the exit status: 0, kLimitExceeded under
// --strict when a limit is exceeded, or 1 when the sketch could not be made.
int reportReview(const std::string& file, const review::JobReview& review,
                 const ConversionOptions& options, const ReviewFlags& flags, bool several);

}  // namespace zendro::cli
