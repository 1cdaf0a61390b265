#pragma once

// A planned job converted and reviewed in memory, as zendro-convert --review
// would see it after its first conversion.

#include <string>

#include "common/byte_sink.h"
#include "common/job_paths.h"
#include "common/run_observer.h"
#include "conversion/job_conversion.h"
#include "review/job_review.h"
#include "tools/genjob/job_files.h"

namespace zendro::testing {

inline review::JobReview reviewPlan(const genjob::JobPlan& plan, bool metric = false) {
    const std::string hvd = genjob::observationFileBytes(plan);
    const std::string ctx = genjob::descriptionFileBytes(plan);
    const std::string rtx = genjob::notesFileBytes(plan);
    ConversionOptions options;
    options.unit = zendro::jobUnit(metric);
    std::string obs, trv;
    StringSink obsSink(obs), trvSink(trv);
    NullObserver observer;
    const JobPaths job = deriveJobPaths(plan.jobName + ".HVD");
    const JobConversion conversion =
        convertJob(job, {hvd, rtx, std::nullopt, ctx}, options, {obsSink, &trvSink}, observer);
    return review::reviewBytes(hvd, *conversion.newPointFeatureFile, options,
                               review::defaultLimits(zendro::jobUnit(metric)));
}

}  // namespace zendro::testing
