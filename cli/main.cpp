// zendro-convert: converts one job from the command line, with the window's
// options as flags and the window's start-up values as defaults.

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>

#include "cli/review_output.h"
#include "common/errors.h"
#include "common/job_paths.h"
#include "conversion/conversion_run.h"

namespace {

class StderrObserver final : public zendro::RunObserver {
  public:
    void status(std::string_view) override {}
    void progress(double) override {}
    void warning(std::string_view message) override { std::cerr << "warning: " << message << '\n'; }
};

constexpr int kUsageError = 2;
constexpr int kConversionFailed = 1;

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Converts a survey job (JOB.HVD, JOB.CTX, JOB.RTX) into a GEOPAK OBS file, "
        "a Terramodel TRV file and the point-feature file JOB.pf.",
        "zendro-convert"};
    app.set_version_flag("--version", std::string("zendro-convert ") + ZENDRO_VERSION);

    zendro::ConversionOptions options;
    bool writeTrv = false;
    std::optional<std::string> suffix;
    std::string file;
    app.add_flag("--trv", writeTrv,
                 "Also write the TRV file (the window's \"OBS Only\" unchecked)");
    app.add_flag("--metric", options.metric, "Metric units: \"METERS\" instead of \"FEET\"");
    app.add_option("--prefix", options.pointPrefix, "Point number prefix")->capture_default_str();
    app.add_option("--curve-code", options.curveCode, "Curve code")->capture_default_str();
    app.add_option("--comment-delimiter", options.commentCode, "Comment delimiter")
        ->capture_default_str();
    app.add_option("--suffix", suffix,
                   "Run suffix appended to chain names (default: from the file name, or -99)");
    app.add_option("FILE", file, "Any of the job's field files, or its path without extension")
        ->required();
    zendro::cli::ReviewFlags reviewFlags;
    zendro::cli::addReviewFlags(app, reviewFlags);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : kUsageError;
    }

    options.obsOnly = !writeTrv;
    const zendro::JobPaths job = zendro::deriveJobPaths(file);
    options.runSuffix = suffix.value_or(job.runSuffix);

    StderrObserver observer;
    try {
        zendro::runConversion(job, options, observer);
    } catch (const zendro::ZendroError& error) {
        std::cerr << "zendro-convert: " << error.what() << '\n';
        return kConversionFailed;
    } catch (const std::exception& error) {
        std::cerr << "zendro-convert: " << file << ": " << error.what() << '\n';
        return kConversionFailed;
    }
    if (reviewFlags.wanted()) return zendro::cli::runReview(job, options, reviewFlags);
    return 0;
}
