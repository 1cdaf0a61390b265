#pragma once

#include <filesystem>
#include <string>

#include "tools/genjob/job_plan.h"

namespace zendro::genjob {

// The bytes of each field file of a planned job.
std::string observationFileBytes(const JobPlan& plan);  // BASE.HVD
std::string descriptionFileBytes(const JobPlan& plan);  // BASE.CTX
std::string notesFileBytes(const JobPlan& plan);        // BASE.RTX

struct WrittenJob {
    std::filesystem::path hvd;
    std::filesystem::path ctx;
    std::filesystem::path rtx;
};

// Writes BASE.HVD, BASE.CTX and BASE.RTX beside each other, replacing files of
// those names. `basePath` is the job's path without extension. Throws
// std::runtime_error naming the file that could not be written.
WrittenJob writeJob(const JobPlan& plan, const std::filesystem::path& basePath);

}  // namespace zendro::genjob
