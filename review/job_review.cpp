#include "review/job_review.h"

#include "conversion/job_model_reading.h"

namespace zendro::review {

JobReview reviewModel(JobModel model, const ConversionOptions& options,
                      const ReviewLimits& limits) {
    JobReview review;
    review.records = std::move(model.observations);
    review.points = std::move(model.points);
    review.meaning = std::move(model.meaning);
    review.pfProblems = std::move(model.pfProblems);
    review.plan = computePlan(review.records, review.points, review.meaning);
    review.report = buildReport(
        {review.records, review.points, review.meaning, review.plan, options.pointPrefix,
         &review.pfProblems}, limits);
    return review;
}

JobReview reviewBytes(std::string_view hvdBytes, std::string_view pfBytes,
                      const ConversionOptions& options, const ReviewLimits& limits) {
    return reviewModel(modelOfBytes(hvdBytes, pfBytes, options), options, limits);
}

}  // namespace zendro::review
