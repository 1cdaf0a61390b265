#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/job_paths.h"
#include "common/run_observer.h"

namespace zendro {

// One feature of one point as the CTX file gives it; a second feature keyed
// after "~" is its own entry named point number + 100000.
struct NamedFeature {
    std::int64_t pointNumber = 0;
    std::string description;
};

// Every feature of the CTX file's description records, in file order.
std::vector<NamedFeature> readPointNames(std::string_view ctxBytes, RunObserver& observer);

// The point-feature file's lines for those features: the name as a number item,
// the description, and the comment split off at the first comment delimiter.
std::string pointFeatureFileText(const std::vector<NamedFeature>& features,
                                 std::string_view commentCode);

// The point-feature file of a job that has none: made from the CTX file's
// bytes, or none (and a warning naming `ctxPath`) when there is no CTX file.
std::optional<std::string> pointFeatureFileFromCtx(std::optional<std::string_view> ctxBytes,
                                                   const std::string& ctxPath,
                                                   std::string_view commentCode,
                                                   RunObserver& observer);

// Shows "Reading Point Names" and, when there is no file at job.pfPath yet,
// builds it from the job's CTX file. An existing file is never touched; with
// no CTX file nothing is written (a warning says so). Returns true when it
// wrote the file. Throws ZendroError when a file cannot be read or written.
bool runPointNamePass(const JobPaths& job, std::string_view commentCode, RunObserver& observer);

}  // namespace zendro
