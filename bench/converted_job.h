#pragma once

#include <cstddef>

#include "common/job_paths.h"
#include "tests/support/temp_dir.h"

namespace zendro::bench {

// A generated job (zendro-genjob --layout classic --points POINTS
// --records-per-point RECORDS --seed 1) written into `folder` as `name` and
// converted once, so that its JOB.pf exists.
JobPaths writeConvertedJob(const testing::TempDir& folder, const char* name, std::size_t points,
                           std::size_t recordsPerPoint);

}  // namespace zendro::bench
