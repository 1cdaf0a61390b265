#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "levels/level_run.h"

namespace zendro::levels {

// What zendro-level's arguments ask for.
struct LevelCommand {
    LevelRunOptions options;
    bool strict = false;  // exit 3 over a limit
};

struct ParsedLevelArguments {
    std::optional<LevelCommand> command;  // none: print `out` and `err`, exit with the status
    int exitStatus = 0;
    std::string out;
    std::string err;
};

inline constexpr int kLevelRunFailed = 1;
inline constexpr int kLevelUsageError = 2;
inline constexpr int kLevelLimitExceeded = 3;

ParsedLevelArguments parseLevelArguments(int argc, const char* const* argv);

// Runs the command: the findings and the adjustment's summary on `out`, a
// failure on `err` naming the file and the cause. Returns the exit status.
int runLevelCommand(const LevelCommand& command, std::ostream& out, std::ostream& err);

}  // namespace zendro::levels
