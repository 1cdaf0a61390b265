#pragma once

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "common/job_paths.h"
#include "common/run_observer.h"
#include "features/pf_freshness.h"

namespace zendro {

// How JOB.pf stands against JOB.CTX; none when the job lacks either file.
std::optional<PfFreshness> checkPfFreshness(const JobPaths& job);

struct PfUpdateOutcome {
    bool updated = false;           // false when there was nothing to do
    std::size_t entriesAdded = 0;   // AddNew: lines appended
    std::string backupPath;         // Rebuild: the previous file, dated
};

// Updates JOB.pf from JOB.CTX before a conversion. A job without JOB.pf is left
// alone (its conversion makes one). The new file and the backup are committed
// together or not at all; throws ZendroError naming the file and the cause.
// `now` dates the backup. Warnings about the CTX file go to `observer`.
PfUpdateOutcome updatePointFeatureFile(const JobPaths& job, PfUpdate how,
                                       std::string_view commentCode, std::time_t now,
                                       RunObserver& observer);

// One line telling what the update did, for the front ends.
std::string pfUpdateMessage(const JobPaths& job, const PfUpdateOutcome& outcome);

}  // namespace zendro
