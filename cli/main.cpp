// zendro-convert: converts jobs from the command line, with the window's
// options as flags and the window's start-up values as defaults.

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cli/job_batch.h"
#include "cli/review_output.h"
#include "common/version.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kConversionFailed = 1;

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Converts survey jobs (JOB.HVD, JOB.CTX, JOB.RTX) into GEOPAK OBS files, "
        "Terramodel TRV files and the point-feature files JOB.pf.",
        "zendro-convert"};
    app.set_version_flag("--version", std::string("zendro-convert ") + zendro::kVersion);

    zendro::ConversionOptions options;
    bool writeTrv = false;
    std::optional<std::string> suffix;
    std::size_t parallel = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::string> files;
    app.add_flag("--trv", writeTrv,
                 "Also write the TRV file (the window's \"OBS Only\" unchecked)");
    app.add_flag("--metric", options.metric, "Metric units: \"METERS\" instead of \"FEET\"");
    app.add_option("--prefix", options.pointPrefix, "Point number prefix")->capture_default_str();
    app.add_option("--curve-code", options.curveCode, "Curve code")->capture_default_str();
    app.add_option("--comment-delimiter", options.commentCode, "Comment delimiter")
        ->capture_default_str();
    app.add_option("--suffix", suffix,
                   "Run suffix appended to chain names (default: from the file name, or -99)");
    app.add_option("-j,--jobs", parallel, "Jobs converted at the same time (default: the cores)")
        ->check(CLI::PositiveNumber);
    app.add_option("FILE", files,
                   "Any of a job's field files, or its path without extension; several jobs "
                   "may be given")
        ->required();
    zendro::cli::ReviewFlags reviewFlags;
    zendro::cli::addReviewFlags(app, reviewFlags, files);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : kUsageError;
    }
    options.obsOnly = !writeTrv;
    if (suffix) options.runSuffix = *suffix;

    // One job prints its messages as they are; with several, each message
    // starts with its job's file.
    const bool several = files.size() > 1;
    int status = 0;
    int reviewStatus = 0;
    for (const zendro::cli::JobOutcome& job :
         zendro::cli::convertJobs(files, options, suffix.has_value(), parallel)) {
        for (const std::string& message : job.messages) {
            std::cerr << (several ? job.file + ": " : std::string()) << message << '\n';
        }
        std::cout << job.resultLine << '\n';
        if (!job.converted) status = kConversionFailed;
        if (job.converted && reviewFlags.wanted()) {
            reviewStatus =
                std::max(reviewStatus, zendro::cli::runReview(job.file, options, suffix.has_value(),
                                                              reviewFlags, several));
        }
    }
    return status != 0 ? status : reviewStatus;
}
