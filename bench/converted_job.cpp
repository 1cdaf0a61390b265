#include "bench/converted_job.h"

#include <filesystem>

#include "common/run_observer.h"
#include "conversion/conversion_run.h"
#include "tools/genjob/job_files.h"
#include "tools/genjob/job_plan.h"

namespace zendro::bench {

JobPaths writeConvertedJob(const testing::TempDir& folder, const char* name, std::size_t points,
                           std::size_t recordsPerPoint) {
    genjob::JobShape shape;
    shape.jobName = name;
    shape.points = points;
    shape.recordsPerPoint = recordsPerPoint;
    shape.seed = 1;  // zendro-genjob's default
    const genjob::WrittenJob written = genjob::writeJob(
        genjob::planJob(shape), std::filesystem::path(folder.path()) / name);
    const JobPaths job = deriveJobPaths(written.hvd.string());
    NullObserver observer;
    runConversion(job, ConversionOptions{}, observer);  // writes JOB.pf
    return job;
}

}  // namespace zendro::bench
