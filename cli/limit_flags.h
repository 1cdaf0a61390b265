#pragma once

#include <optional>
#include <string>
#include <vector>

#include "levels/level_run.h"
#include "review/limit_table.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace zendro::cli {

// The flags of one group of the limit table, as zendro-convert and
// zendro-level both take them: each row's flag puts its value into `given`
// (one per row in the table's order; unset, the default of the unit).
void addLimitFlags(CLI::App& app, review::LimitGroup group,
                   std::vector<std::optional<double>>& given, const std::string& helpGroup);

// The level network's a priori deviation (--sigma-km MM) and its weighting
// (`weightFlag` length|setups) into `options`. Returns both options.
std::vector<CLI::Option*> addLevelNetworkFlags(CLI::App& app, levels::LevelRunOptions& options,
                                               const std::string& weightFlag,
                                               const std::string& helpGroup);

}  // namespace zendro::cli
