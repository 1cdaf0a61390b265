#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/pf_update_flags.h"
#include "common/version.h"

namespace zendro::cli {

ParsedArguments parseArguments(int argc, const char* const* argv, std::size_t defaultParallel) {
    CLI::App app{
        "Converts survey jobs (JOB.HVD, JOB.CTX, JOB.RTX) into GEOPAK OBS files, "
        "Terramodel TRV files and the point-feature files JOB.pf.",
        "zendro-convert"};
    app.set_version_flag("--version", std::string("zendro-convert ") + zendro::kVersion);

    CommandLine line;
    line.parallel = defaultParallel;
    ConversionOptions& options = line.options;
    bool writeTrv = false;
    std::optional<std::string> suffix;
    app.add_flag("--trv", writeTrv,
                 "Also write the TRV file (the window's \"OBS Only\" unchecked)");
    bool metric = false;
    std::string foot = std::string(namesOf(kDefaultFootUnit).option);
    CLI::Option* metricFlag =
        app.add_flag("--metric", metric, "Metric units: \"METERS\" instead of \"FEET\"");
    app.add_option("--feet", foot,
                   "The foot a job in feet is in: us (US survey feet) or international")
        ->check(CLI::IsMember({"us", "international"}, CLI::ignore_case))
        ->excludes(metricFlag)
        ->capture_default_str();
    app.add_option("--prefix", options.pointPrefix, "Point number prefix")->capture_default_str();
    app.add_option("--curve-code", options.curveCode, "Curve code")->capture_default_str();
    app.add_option("--comment-delimiter", options.commentCode, "Comment delimiter")
        ->capture_default_str();
    app.add_option("--suffix", suffix,
                   "Run suffix appended to chain names (default: from the file name, or -99)");
    app.add_option("-j,--jobs", line.parallel,
                   "Jobs converted at the same time (default: the cores)")
        ->check(CLI::PositiveNumber);
    app.add_option("FILE", line.files,
                   "Any of a job's field files, or its path without extension; several jobs "
                   "may be given.")
        ->required();
    addReviewFlags(app, line.review, line.files);
    addPlacementFlags(app, line.placement);
    addAdjustmentFlags(app, line.adjustment);
    addExportFlags(app, line.exports, line.files);
    addReportFlags(app, line.report);
    addLevelFlags(app, line.levels);
    addPfUpdateFlags(app, line.pfUpdate);

    // CLI11 takes "--name=" with nothing after the "=" as a name without a value
    // and would take the next argument (a job's file) as the value instead. The
    // empty value is passed as an argument of its own.
    std::vector<std::string> arguments;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        std::string argument = argv[i];
        optionsEnded = optionsEnded || argument == "--";
        if (!optionsEnded && i > 0 && argument.starts_with("--") &&
            argument.find('=') == argument.size() - 1) {
            argument.pop_back();
            arguments.push_back(std::move(argument));
            arguments.emplace_back();
        } else {
            arguments.push_back(std::move(argument));
        }
    }
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());

    ParsedArguments parsed;
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
        checkReportFlags(line.report, line.files);
    } catch (const CLI::ParseError& error) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = app.exit(error, out, err);
        parsed.exitStatus = status == 0 ? 0 : kUsageError;
        parsed.out = out.str();
        parsed.err = err.str();
        return parsed;
    }
    options.obsOnly = !writeTrv;
    options.unit = jobUnit(metric, footNamed(foot).value_or(kDefaultFootUnit));
    line.suffixGiven = suffix.has_value();
    if (suffix) options.runSuffix = *suffix;
    parsed.commandLine = std::move(line);
    return parsed;
}

}  // namespace zendro::cli
