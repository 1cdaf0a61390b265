#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/conversion_options.h"
#include "review/review_limits.h"

namespace CLI {
class App;
}

namespace zendro::cli {

// The review flags of zendro-convert. Limits not given take the defaults of
// the job's unit.
struct ReviewFlags {
    bool review = false;
    bool strict = false;
    std::string sketchPath;
    std::optional<double> closureRatio, closureElevation, backsightDistance, backsightElevation,
        faceHorizontal, faceIndex, faceDistance, checkShotDistance, checkShotElevation;

    bool wanted() const { return review || strict || !sketchPath.empty(); }
    review::ReviewLimits limits(bool metric) const;
};

// `files` are the jobs given: a sketch is written for one job only.
void addReviewFlags(CLI::App& app, ReviewFlags& flags, const std::vector<std::string>& files);

inline constexpr int kLimitExceeded = 3;

// After a job's successful conversion: prints its report (--review; each line
// starting with the job's file when `several` jobs were given), writes the
// sketch (--sketch) and returns the exit status: 0, kLimitExceeded under
// --strict when a limit is exceeded, or 1 when the review or the sketch could
// not be made. The run suffix comes from the file name unless `suffixGiven`.
int runReview(const std::string& file, ConversionOptions options, bool suffixGiven,
              const ReviewFlags& flags, bool several);

}  // namespace zendro::cli
