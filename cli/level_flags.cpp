#include "cli/level_flags.h"

#include <CLI/CLI.hpp>

#include "cli/limit_flags.h"

namespace zendro::cli {

std::optional<levels::LevelRunOptions> LevelFlags::options() const {
    if (files.empty()) return std::nullopt;
    levels::LevelRunOptions options = run;
    options.files = files;
    return options;
}

void addLevelFlags(CLI::App& app, LevelFlags& flags) {
    const std::string group = "Level runs";
    CLI::Option* levels =
        app.add_option("--levels", flags.files,
                       "M5 file of a digital level's runs (repeatable): its lines are checked "
                       "and adjusted on the control file's heights, and its heights of the job's "
                       "points (by number) join the control checks and --adjust as weighted "
                       "vertical control")
            ->group(group)
            ->type_name("RUN.DAT")
            ->allow_extra_args(false);
    for (CLI::Option* option : addLevelNetworkFlags(app, flags.run, "--level-weight", group))
        option->needs(levels);
    addLimitFlags(app, review::LimitGroup::Level, flags.run.givenLimits, "Level limits");
}

}  // namespace zendro::cli
