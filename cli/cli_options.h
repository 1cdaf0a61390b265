#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cli/adjustment_flags.h"
#include "cli/export_flags.h"
#include "cli/level_flags.h"
#include "cli/placement_flags.h"
#include "cli/report_flags.h"
#include "cli/review_flags.h"
#include "features/pf_freshness.h"
#include "common/conversion_options.h"

namespace zendro::cli {

// What zendro-convert's arguments ask for.
struct CommandLine {
    ConversionOptions options;
    bool suffixGiven = false;  // otherwise each job's suffix comes from its file name
    std::size_t parallel = 1;  // jobs converted at the same time
    std::vector<std::string> files;
    ReviewFlags review;  // what to check and draw after each conversion
    PlacementFlags placement;    // control, a start by hand, the coordinate system
    AdjustmentFlags adjustment;  // the least-squares adjustment after the review
    ExportFlags exports;         // the open formats written after the review
    ReportFlags report;          // the job reports written after the review
    LevelFlags levels;           // level runs whose heights join each job
    std::optional<PfUpdate> pfUpdate;  // what to do with a JOB.pf the CTX file does not match
};

// The arguments read, or, for a usage error or a request for help or the
// version, no command line but the text to print and the exit status.
struct ParsedArguments {
    std::optional<CommandLine> commandLine;
    int exitStatus = 0;
    std::string out;  // for stdout
    std::string err;  // for stderr
};

inline constexpr int kUsageError = 2;

// `argv[0]` is the program's name; `defaultParallel` is used without -j.
ParsedArguments parseArguments(int argc, const char* const* argv, std::size_t defaultParallel);

}  // namespace zendro::cli
