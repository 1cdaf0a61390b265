#include "levels/level_command.h"

#include <CLI/CLI.hpp>
#include <sstream>

#include "common/errors.h"
#include "common/version.h"
#include "levels/level_report.h"
#include "review/limit_table.h"

namespace zendro::levels {
namespace {

constexpr std::string_view kCsvPrefix = "csv:";

std::string defaultText(const review::LimitDefinition& limit) {
    const std::string feet = review::limitText(limit, limit.feetDefault, kDefaultFootUnit);
    const std::string meters = review::limitText(limit, limit.meterDefault, LengthUnit::Metre);
    return feet == meters ? feet : feet + ", " + meters;
}

}  // namespace

ParsedLevelArguments parseLevelArguments(int argc, const char* const* argv) {
    CLI::App app{
        "Reads the M5 files of DiNi digital levels, reduces every levelling line, checks it "
        "against the level limits and adjusts the heights of all lines together.",
        "zendro-level"};
    app.set_version_flag("--version", std::string("zendro-level ") + zendro::kVersion);
    LevelCommand command;
    LevelRunOptions& options = command.options;
    app.add_option("FILE", options.files, "M5 files of the level; their lines join by point id")
        ->required()
        ->type_name("FILE");
    app.add_option("--control", options.controlPath,
                   "Control file: lines name,,,Z (a benchmark's height) or name,N,E,Z, held or "
                   "weighted, in the run's unit")
        ->type_name("FILE");
    bool metric = false;
    std::optional<std::string> foot;
    CLI::Option* metricFlag = app.add_flag("--metric", metric, "Work in meters");
    app.add_option("--feet", foot,
                   "Work in feet, and read files in feet as this foot: us (US survey feet, the "
                   "default) or international")
        ->check(CLI::IsMember({"us", "international"}, CLI::ignore_case))
        ->excludes(metricFlag)
        ->type_name("us|international");
    app.add_option("--sigma-km", options.sigmaKm,
                   "A priori standard deviation of 1 km of double-run levelling in mm, the level's "
                   "stated accuracy (default 1.0)")
        ->check(CLI::Range(0.001, 1000.0).description(""))
        ->type_name("MM");
    std::string weight = "length";
    app.add_option("--weight", weight, "Weight the sections by length (default) or by setups")
        ->check(CLI::IsMember({"length", "setups"}))
        ->type_name("length|setups");
    app.add_option("--report", options.reportPath,
                   "Write the text report (level books, closures, findings, adjustment)")
        ->check(CLI::Validator(
            [](const std::string& path) {
                return path.size() > 4 && path.ends_with(".txt")
                           ? std::string()
                           : "the report is written as FILE.txt: " + path;
            },
            ""))
        ->type_name("FILE.txt");
    std::string exportSpec;
    app.add_option("--export", exportSpec,
                   "Write the heights as CSV: point, height, standard deviation, source")
        ->check(CLI::Validator(
            [](const std::string& text) {
                return text.starts_with(kCsvPrefix) && text.size() > kCsvPrefix.size()
                           ? std::string()
                           : "the export is csv:FILE, not " + text;
            },
            ""))
        ->type_name("csv:FILE");
    app.add_flag("--strict", command.strict,
                 "Exit with status 3 when a limit is exceeded, a file has a fault, a blunder is "
                 "named or the chi-square test fails");
    const auto table = review::limitTable(review::LimitGroup::Level);
    options.givenLimits.assign(table.size(), std::nullopt);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const review::LimitDefinition& limit = table[i];
        app.add_option(std::string(limit.flag), options.givenLimits[i],
                       std::string(limit.label) + " (default " + defaultText(limit) + ")")
            ->group("Level limits")
            ->type_name("N")
            ->check(CLI::Range(limit.minimum, limit.maximum).description(""));
    }

    ParsedLevelArguments parsed;
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = app.exit(error, out, err);
        parsed.exitStatus = status == 0 ? 0 : kLevelUsageError;
        parsed.out = out.str();
        parsed.err = err.str();
        return parsed;
    }
    options.foot = foot ? footNamed(*foot).value_or(kDefaultFootUnit) : kDefaultFootUnit;
    if (metric) options.unit = LengthUnit::Metre;
    if (foot) options.unit = options.foot;
    options.weighting = weight == "setups" ? LevelWeighting::Setups : LevelWeighting::Length;
    if (!exportSpec.empty()) options.csvPath = exportSpec.substr(kCsvPrefix.size());
    parsed.command = std::move(command);
    return parsed;
}

int runLevelCommand(const LevelCommand& command, std::ostream& out, std::ostream& err) {
    try {
        const LevelRun run(command.options);
        const LevelRunResult result = run.run();
        out << levelConsoleText(result);
        run.writeOutputs(result);
        return command.strict && result.overLimit() ? kLevelLimitExceeded : 0;
    } catch (const ZendroError& error) {
        err << "zendro-level: " << error.what() << '\n';
        return kLevelRunFailed;
    } catch (const std::exception& error) {
        err << "zendro-level: " << error.what() << '\n';
        return kLevelRunFailed;
    }
}

}  // namespace zendro::levels
