#pragma once

#include <optional>
#include <string>
#include <vector>

#include "levels/level_run.h"

namespace CLI {
class App;
}

namespace zendro::cli {

// zendro-convert's level runs: the M5 files whose heights join each job, the
// level network's weights and the level limits, as zendro-level names them.
struct LevelFlags {
    std::vector<std::string> files;
    levels::LevelRunOptions run;  // its files, unit and control come from the job

    // What each job's session runs; none without --levels.
    std::optional<levels::LevelRunOptions> options() const;
};

void addLevelFlags(CLI::App& app, LevelFlags& flags);

}  // namespace zendro::cli
