#pragma once

#include <optional>
#include <string>

#include "common/job_paths.h"
#include "conversion/conversion_options.h"
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

void addReviewFlags(CLI::App& app, ReviewFlags& flags);

inline constexpr int kLimitExceeded = 3;

// After a successful conversion: prints the report (--review), writes the
// sketch (--sketch) and returns the exit status: 0, kLimitExceeded under
// --strict when a limit is exceeded, or 1 when the review or the sketch could
// not be made.
int runReview(const JobPaths& job, const ConversionOptions& options, const ReviewFlags& flags);

}  // namespace zendro::cli
