#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/report_flags.h"
#include "common/conversion_options.h"
#include "conversion/conversion_run.h"
#include "review/job_review.h"
#include "review/review_limits.h"

namespace zendro::cli {

// What one job's report tells besides its review.
struct ReportContext {
    const ConversionResult* conversion = nullptr;  // the run's files and counts
    std::string_view frame;                         // of the positions: "local", ...
    const review::ReviewLimits* limits = nullptr;
    const ConversionOptions* options = nullptr;
};

// Writes every report of one reviewed job, all committed together (a PDF
// drawn through the sketch module). Returns 0, or 1 after printing on stderr
// the file and the cause (the conversion's files stand; no report file is
// half-written and none of the job's reports is written).
int writeJobReports(const std::string& file, const review::JobReview& review,
                    const ReportContext& context, const ReportFlags& flags);

}  // namespace zendro::cli
