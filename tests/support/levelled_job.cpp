#include "tests/support/levelled_job.h"

#include "review/finding_text.h"
#include "tools/genjob/corridor_plan.h"
#include "tools/genjob/job_files.h"
#include "tools/genjob/truth_file.h"

namespace zendro::testing {

LevelledJob writeLevelledJob(const TempDir& dir, const genlevels::FaultRequest& faults) {
    genjob::CorridorShape shape;
    shape.job.points = 40;
    shape.job.seed = 1;
    shape.metric = true;
    const genjob::JobPlan plan = genjob::planCorridor(shape);
    genjob::writeJob(plan, dir.file("LV"));
    LevelledJob job;
    job.hvdPath = dir.file("LV.HVD");
    job.truthPath = dir.file("truth.csv");
    writeFile(job.truthPath, genjob::truthFileBytes(plan.truth));

    genlevels::LevelsShape levels;
    levels.metric = true;
    levels.name = "LV-RUN";
    // To the tenth of a millimetre, as a benchmark's height is written.
    for (const std::size_t index : {0u, 4u, 14u, 20u, 27u}) {
        const genjob::TruePoint& point = plan.truth.at(index);
        levels.through.push_back(
            {std::to_string(point.number), std::stod(review::decimals(point.position.elevation, 4))});
    }
    job.through = levels.through;
    const genlevels::GeneratedLevels run = genlevels::generateLevels(levels, faults);
    job.runPath = dir.file("LV-RUN.DAT");
    writeFile(job.runPath, run.files.front());
    job.benchPath = dir.file("bench.csv");
    writeFile(job.benchPath, genlevels::heightLines(run.benchmarks, true));
    job.faults = run.faults;
    return job;
}

}  // namespace zendro::testing
