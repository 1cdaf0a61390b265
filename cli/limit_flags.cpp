#include "cli/limit_flags.h"

#include <CLI/CLI.hpp>
#include <map>

namespace zendro::cli {
namespace {

std::string defaultText(const review::LimitDefinition& limit) {
    const std::string feet = review::limitText(limit, limit.feetDefault, kDefaultFootUnit);
    const std::string meters = review::limitText(limit, limit.meterDefault, LengthUnit::Metre);
    return feet == meters ? feet : feet + ", " + meters;
}

}  // namespace

void addLimitFlags(CLI::App& app, review::LimitGroup group,
                   std::vector<std::optional<double>>& given, const std::string& helpGroup) {
    const auto table = review::limitTable(group);
    given.assign(table.size(), std::nullopt);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const review::LimitDefinition& limit = table[i];
        app.add_option(std::string(limit.flag), given[i],
                       std::string(limit.label) + " (default " + defaultText(limit) + ")")
            ->group(helpGroup)
            ->type_name("N")
            ->check(CLI::Range(limit.minimum, limit.maximum).description(""));
    }
}

std::vector<CLI::Option*> addLevelNetworkFlags(CLI::App& app, levels::LevelRunOptions& options,
                                               const std::string& weightFlag,
                                               const std::string& helpGroup) {
    CLI::Option* sigma =
        app.add_option("--sigma-km", options.sigmaKm,
                       "A priori standard deviation of 1 km of double-run levelling in mm, the "
                       "level's stated accuracy (default 1.0)")
            ->check(CLI::Range(0.001, 1000.0).description(""))
            ->type_name("MM")
            ->group(helpGroup);
    const std::map<std::string, levels::LevelWeighting> weightings{
        {"length", levels::LevelWeighting::Length}, {"setups", levels::LevelWeighting::Setups}};
    CLI::Option* weight =
        app.add_option(weightFlag, options.weighting,
                       "Weight the level sections by length (default) or by setups")
            ->transform(CLI::CheckedTransformer(weightings).description(""))
            ->type_name("length|setups")
            ->group(helpGroup);
    return {sigma, weight};
}

}  // namespace zendro::cli
