#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <optional>

#include "common/conversion_options.h"
#include "job/job_run.h"
#include "review/job_review.h"
#include "features/pf_freshness.h"

namespace zendro::cli {

// What one job's conversion printed and how it ended.
struct JobOutcome {
    std::string file;  // as given on the command line
    bool converted = false;
    std::string resultLine;             // for stdout
    std::vector<std::string> messages;  // for stderr: warnings, then the failure if any
    std::optional<review::JobReview> review;  // of a converted job, when one was asked for
    std::optional<ConversionResult> conversion;  // of a converted job: its files and counts
};

// Converts every job, `parallel` at a time; each job has its own observer and
// outputs, so one job's failure never reaches another. The outcomes come back
// in the order of `files`. Unless `suffixGiven`, the run suffix is taken from
// each job's file name. With `pfUpdate` each job's JOB.pf is first updated
// from its CTX file (a failure there leaves the job unconverted).
std::vector<JobOutcome> convertJobs(const std::vector<std::string>& files,
                                    const JobRequest& request, bool suffixGiven,
                                    std::size_t parallel,
                                    std::optional<PfUpdate> pfUpdate = std::nullopt);

}  // namespace zendro::cli
