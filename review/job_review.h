#pragma once

#include <string_view>
#include <vector>

#include "conversion/conversion_options.h"
#include "conversion/job_model.h"
#include "features/point_table.h"
#include "review/check_report.h"
#include "review/plan_frame.h"
#include "review/review_limits.h"

namespace zendro::review {

// One job reviewed: what was read, the plan frame and the report.
struct JobReview {
    std::vector<Observation> records;
    PointTable points;
    JobMeaning meaning;  // each point's entry, the taped offsets, the chains as point references
    std::vector<PfLineProblem> pfProblems;  // point-feature lines not read as meant
    Plan plan;
    ReviewReport report;
};

// Reviews a job as its conversion decoded it.
JobReview reviewModel(JobModel model, const ConversionOptions& options,
                      const ReviewLimits& limits);

// Reviews the HVD file's bytes against the point-feature file's bytes.
JobReview reviewBytes(std::string_view hvdBytes, std::string_view pfBytes,
                      const ConversionOptions& options, const ReviewLimits& limits);

}  // namespace zendro::review
