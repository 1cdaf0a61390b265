#pragma once

#include <iosfwd>

#include "cli/cli_options.h"
#include "job/job_config.h"

namespace zendro::cli {

// Runs every job of the command line: the conversions `line.parallel` at a
// time (each job has its own observer and outputs, so one job's failure never
// reaches another), then, job by job in the order given, everything the
// config asks for after the conversion. Each job's messages go to `err` and
// its result line and reports to `out`, in the order of the jobs; with
// several jobs each line starts with its job's file. Returns the exit status:
// 1 when a job or a step failed, else 3 when a limit was exceeded under
// --strict, else 0.
int runJobs(const CommandLine& line, const JobConfig& config, std::ostream& out,
            std::ostream& err);

}  // namespace zendro::cli
