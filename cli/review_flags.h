#pragma once

#include <optional>
#include <string>
#include <vector>

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
    std::string sketchPaper = "a4";
    double sketchScale = 0;  // N of 1:N; 0 fits the job on the page
    // One value per row of the limit table, in its order; unset takes the default.
    std::vector<std::optional<double>> givenLimits;

    bool wanted() const { return review || strict || !sketchPath.empty(); }
    review::ReviewLimits limits(LengthUnit unit) const;
};

// `files` are the jobs given: a sketch is written for one job only.
void addReviewFlags(CLI::App& app, ReviewFlags& flags, const std::vector<std::string>& files);

}  // namespace zendro::cli
