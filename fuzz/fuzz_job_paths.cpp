// The input as the path of a chosen field file: the job's names derived from
// it, and derived again from each of them.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/job_paths.h"
#include "fuzz/fuzz_check.h"

namespace {

using zendro::JobPaths;
using zendro::fuzz::require;

bool sameJob(const JobPaths& a, const JobPaths& b) {
    return a.basePath == b.basePath && a.folderPath == b.folderPath && a.jobName == b.jobName &&
           a.runSuffix == b.runSuffix;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string chosen(zendro::fuzz::asBytes(data, size));
    const JobPaths job = zendro::deriveJobPaths(chosen);

    require(job.basePath == job.folderPath + job.jobName, "base is folder and job name");
    require(chosen.compare(0, job.basePath.size(), job.basePath) == 0, "base starts the path");
    const std::string extension = chosen.substr(job.basePath.size());
    require(extension.empty() || (extension.front() == '.' &&
                                  extension.find_first_of("./", 1) == std::string::npos),
            "only one extension is cut off, never a folder");
    require(job.folderPath.empty() || job.folderPath.back() == zendro::kPathSeparator,
            "the folder ends with a separator");
    require(job.jobName.find(zendro::kPathSeparator) == std::string::npos,
            "the job name holds no separator");

    const std::size_t dash = job.jobName.rfind('-');
    require(job.runSuffix == (dash == std::string::npos ? "-99" : job.jobName.substr(dash)),
            "the run suffix is the job name's last dash on, or -99");

    for (const std::string* path : {&job.hvdPath, &job.ctxPath, &job.rtxPath, &job.trvPath,
                                    &job.obsPath, &job.pfPath}) {
        require(sameJob(zendro::deriveJobPaths(*path), job), "every derived file names the same job");
    }
    require(job.hvdPath == job.basePath + ".HVD" && job.pfPath == job.basePath + ".pf",
            "fixed extension spellings");
    return 0;
}
