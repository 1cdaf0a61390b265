#pragma once

#include <string>
#include <vector>

#include "common/job_paths.h"

namespace zendro {

// The files a job owns: its field files (HVD, CTX, RTX), the outputs its
// conversion writes (the OBS and TRV files, JOB.pf) and the record of what was
// written.
std::vector<std::string> filesTheJobOwns(const JobPaths& job);

// Refuses, before anything is written, a file to be written after the
// conversion (an export, a report, a sketch) that is one the job owns, or
// that another of `targets` names too. Names are compared folder by folder,
// the file name ignoring case: a field file found by another case of its
// extension must not be shadowed either. Throws ZendroError naming the file
// and why.
void refuseOwnedTargets(const JobPaths& job, const std::vector<std::string>& targets);

}  // namespace zendro
