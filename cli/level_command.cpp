#include "cli/level_command.h"

#include <CLI/CLI.hpp>
#include <sstream>

#include "cli/limit_flags.h"
#include "common/errors.h"
#include "common/program_module.h"
#include "common/version.h"
#include "levels/level_report.h"
#include "levels/level_report_module.h"
#include "review/limit_table.h"
#include "review/report_header.h"

namespace zendro::levels {

using cli::addLevelNetworkFlags;
using cli::addLimitFlags;

namespace {

constexpr std::string_view kCsvPrefix = "csv:";

// The PDF drawn by the module installed beside the program, loaded only now.
std::string modulePdf(const LevelReport& report, const std::string& path) {
    const auto entry = reinterpret_cast<LevelReportPdfEntry>(programModuleEntry(
        ZENDRO_SKETCH_MODULE_FROM_BIN, kLevelReportPdfEntry, "the drawing module"));
    std::string pdf;
    std::string error;
    entry(report, pdf, error);
    if (!error.empty()) throw ZendroError(path, error);
    return pdf;
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
    addLevelNetworkFlags(app, options, "--weight", "Options");
    app.add_option("--report", options.reportPath,
                   "Write the report (level books, closures, findings, adjustment) as PDF or "
                   "text by the file's extension")
        ->check(CLI::Validator(
            [](const std::string& path) {
                return review::isReportFileName(path)
                           ? std::string()
                           : "the report is written as FILE.pdf or FILE.txt: " + path;
            },
            ""))
        ->type_name("FILE.pdf|txt");
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
    addLimitFlags(app, review::LimitGroup::Level, options.givenLimits, "Level limits");

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
    if (!exportSpec.empty()) options.csvPath = exportSpec.substr(kCsvPrefix.size());
    parsed.command = std::move(command);
    return parsed;
}

int runLevelCommand(const LevelCommand& command, std::ostream& out, std::ostream& err) {
    try {
        const LevelRun run(command.options);
        const LevelRunResult result = run.run();
        out << levelConsoleText(result);
        run.writeOutputs(result, modulePdf);
        return command.strict && result.strictFailure() ? kLevelLimitExceeded : 0;
    } catch (const ZendroError& error) {
        err << "zendro-level: " << error.what() << '\n';
        return kLevelRunFailed;
    } catch (const std::exception& error) {
        err << "zendro-level: " << error.what() << '\n';
        return kLevelRunFailed;
    }
}

}  // namespace zendro::levels
