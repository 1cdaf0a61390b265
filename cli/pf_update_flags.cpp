#include "cli/pf_update_flags.h"

#include <CLI/CLI.hpp>

namespace zendro::cli {

void addPfUpdateFlags(CLI::App& app, std::optional<PfUpdate>& update) {
    CLI::Option* addNew = app.add_flag_callback(
        "--pf-add-new", [&update] { update = PfUpdate::AddNew; },
        "Before converting, add the CTX file's points that JOB.pf lacks to it (its edits kept)");
    CLI::Option* rebuild = app.add_flag_callback(
        "--pf-rebuild", [&update] { update = PfUpdate::Rebuild; },
        "Before converting, make JOB.pf again from the CTX file (the old one kept as "
        "JOB.pf.backup-YYYYMMDD-HHMMSS)");
    addNew->excludes(rebuild);
}

}  // namespace zendro::cli
