#pragma once

#include <optional>

#include "common/job_paths.h"
#include "common/run_observer.h"
#include "conversion/conversion_options.h"
#include "conversion/conversion_run.h"
#include "conversion/header_clock.h"
#include "review/job_review.h"
#include "review/review_limits.h"

namespace zendro {

// What one run of a job does: convert it, and review what the conversion
// decoded when limits are given.
struct JobRequest {
    ConversionOptions options;
    std::optional<review::ReviewLimits> reviewLimits;
};

struct JobRunResult {
    ConversionResult conversion;
    std::optional<review::JobReview> review;  // when a review was asked for
};

// One whole run of a job: its field files are read once, converted and
// committed (conversion/conversion_run.h), and the review reads the job model
// that conversion decoded. Throws as runConversion does; the outputs are then
// as they were and nothing is reviewed.
JobRunResult runJob(const JobPaths& job, const JobRequest& request, RunObserver& observer,
                    const HeaderClock& clock = {});

}  // namespace zendro
