#pragma once

#include "cli/cli_options.h"
#include "job/job_config.h"

namespace zendro::cli {

// What every job of the command line is asked to do. The control file is read
// and the coordinate system looked up here, once, before any job is
// converted: bad control or a system in another unit stops the run. Throws
// ZendroError naming the file (and line) or the system and the cause.
JobConfig jobConfigOf(const CommandLine& line);

}  // namespace zendro::cli
