#include "job/job_run.h"

namespace zendro {

JobRunResult runJob(const JobPaths& job, const JobRequest& request, RunObserver& observer,
                    const HeaderClock& clock) {
    const bool reviewed = request.reviewLimits.has_value();
    JobRunResult result;
    result.conversion = runConversion(job, request.options, observer, clock,
                                      reviewed ? KeepJobModel::Yes : KeepJobModel::No);
    if (reviewed && result.conversion.model) {
        result.review = review::reviewModel(std::move(*result.conversion.model), request.options,
                                            *request.reviewLimits);
        result.conversion.model.reset();
    }
    return result;
}

}  // namespace zendro
