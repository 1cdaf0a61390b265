#pragma once

#include <string>

#include "common/conversion_options.h"
#include "cli/review_flags.h"

namespace zendro::cli {

inline constexpr int kLimitExceeded = 3;

// After a job's successful conversion: prints its report (--review; each line
// starting with the job's file when `several` jobs were given), writes the
// sketch (--sketch) and returns the exit status: 0, kLimitExceeded under
// --strict when a limit is exceeded, or 1 when the review or the sketch could
// not be made. The run suffix comes from the file name unless `suffixGiven`.
int runReview(const std::string& file, ConversionOptions options, bool suffixGiven,
              const ReviewFlags& flags, bool several);

}  // namespace zendro::cli
