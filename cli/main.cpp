// zendro-convert: converts jobs from the command line, with the window's
// options as flags and the window's start-up values as defaults.

#include <algorithm>
#include <iostream>
#include <string>
#include <thread>

#include "cli/cli_options.h"
#include "cli/job_batch.h"
#include "cli/review_output.h"

namespace {

constexpr int kConversionFailed = 1;

}  // namespace

int main(int argc, char** argv) {
    const zendro::cli::ParsedArguments parsed =
        zendro::cli::parseArguments(argc, argv, std::max(1u, std::thread::hardware_concurrency()));
    if (!parsed.commandLine) {
        std::cout << parsed.out;
        std::cerr << parsed.err;
        return parsed.exitStatus;
    }
    const zendro::cli::CommandLine& line = *parsed.commandLine;

    // One job prints its messages as they are; with several, each message
    // starts with its job's file.
    const bool several = line.files.size() > 1;
    int status = 0;
    int reviewStatus = 0;
    zendro::JobRequest request{line.options, std::nullopt};
    if (line.review.wanted()) request.reviewLimits = line.review.limits(line.options.metric);
    for (const zendro::cli::JobOutcome& job : zendro::cli::convertJobs(
             line.files, request, line.suffixGiven, line.parallel, line.pfUpdate)) {
        for (const std::string& message : job.messages) {
            std::cerr << (several ? job.file + ": " : std::string()) << message << '\n';
        }
        std::cout << job.resultLine << '\n';
        if (!job.converted) status = kConversionFailed;
        if (job.review) {
            reviewStatus = std::max(reviewStatus,
                                    zendro::cli::reportReview(job.file, *job.review,
                                                              line.options.pointPrefix, line.review,
                                                              several));
        }
    }
    return status != 0 ? status : reviewStatus;
}
