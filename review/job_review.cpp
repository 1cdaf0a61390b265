#include "review/job_review.h"

#include "common/errors.h"
#include "common/file_io.h"

namespace zendro::review {

JobReview reviewModel(JobModel model, const ConversionOptions& options,
                      const ReviewLimits& limits) {
    JobReview review;
    review.records = std::move(model.observations);
    review.points = std::move(model.points);
    review.chains = chainsOf(model.chains, options);
    review.plan = computePlan(review.records, review.points);
    review.report = buildReport(
        {review.records, review.points, review.chains, review.plan, options.pointPrefix}, limits);
    return review;
}

JobModel modelOfBytes(std::string_view hvdBytes, std::string_view pfBytes,
                      const ConversionOptions& options) {
    JobModel model;
    model.observations = decodeObservations(hvdBytes);
    model.points = loadPointTable(pfBytes, options.curveCode);
    model.chains = buildChainLists(pfBytes, options);
    return model;
}

JobReview reviewBytes(std::string_view hvdBytes, std::string_view pfBytes,
                      const ConversionOptions& options, const ReviewLimits& limits) {
    return reviewModel(modelOfBytes(hvdBytes, pfBytes, options), options, limits);
}

JobReview reviewJob(const JobPaths& job, const ConversionOptions& options,
                    const ReviewLimits& limits) {
    const std::string hvdPath = findFieldFile(job.hvdPath);
    if (hvdPath.empty()) throw ZendroError(job.hvdPath, "the HVD file does not exist");
    const std::string hvd = readFileBytes(hvdPath);
    const std::string pf = fileExists(job.pfPath) ? readFileBytes(job.pfPath) : std::string();
    return reviewBytes(hvd, pf, options, limits);
}

}  // namespace zendro::review
