#pragma once

// A generated corridor job with a generated level run through some of its
// points, for the tests of level runs joined to a job.

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tools/genlevels/level_network_plan.h"

namespace zendro::testing {

struct LevelledJob {
    std::string hvdPath;      // LV.HVD (with LV.CTX and LV.RTX) in metres
    std::string runPath;      // LV-RUN.DAT: six lines through `through`
    std::string benchPath;    // bench.csv: the run's benchmarks as name,,,Z
    std::string truthPath;    // truth.csv: every point of the job, number,N,E,Z
    std::vector<genlevels::TrueHeight> through;  // the job's points levelled, in order
    std::vector<std::string> faults;             // what the generator planted
};

// The job of 40 points and its run through five of them: the first station
// and points spread along the road; `faults` planted into the run.
LevelledJob writeLevelledJob(const TempDir& dir, const genlevels::FaultRequest& faults = {});

}  // namespace zendro::testing
