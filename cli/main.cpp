// zendro-convert: converts jobs from the command line, with the window's
// options as flags and the window's start-up values as defaults.

#include <algorithm>
#include <iostream>
#include <string>
#include <thread>

#include "cli/cli_options.h"
#include "cli/adjustment_output.h"
#include "cli/export_output.h"
#include "cli/job_batch.h"
#include "cli/placement_input.h"
#include "cli/report_output.h"
#include "cli/review_output.h"
#include "common/errors.h"
#include "coordinates/local_positions.h"

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
    // Bad control or a system in another unit stops everything before a job is converted.
    zendro::coordinates::PlacementInput placement;
    try {
        placement = zendro::cli::loadPlacement(line.placement, line.options.unit);
    } catch (const zendro::ZendroError& error) {
        std::cerr << "zendro-convert: " << error.what() << '\n';
        return kConversionFailed;
    }
    zendro::JobRequest request{line.options, std::nullopt};
    const zendro::review::ReviewLimits limits = line.review.limits(line.options.unit);
    if (line.review.wanted() || placement.wanted() || line.exports.wanted() ||
        line.adjustment.adjust || line.report.wanted())
        request.reviewLimits = limits;
    for (zendro::cli::JobOutcome& job : zendro::cli::convertJobs(
             line.files, request, line.suffixGiven, line.parallel, line.pfUpdate)) {
        for (const std::string& message : job.messages) {
            std::cerr << (several ? job.file + ": " : std::string()) << message << '\n';
        }
        std::cout << job.resultLine << '\n';
        if (!job.converted) status = kConversionFailed;
        if (!job.review) continue;
        std::optional<zendro::coordinates::ControlTie> tie;
        if (placement.wanted())
            tie = zendro::coordinates::placeReviewedJob(*job.review, placement, limits);
        reviewStatus = std::max(reviewStatus,
                                zendro::cli::reportReview(job.file, *job.review,
                                                          line.options, line.review,
                                                          several));
        std::optional<zendro::coordinates::JobPositions> adjusted;
        if (line.adjustment.adjust) {
            zendro::cli::AdjustmentOutcome outcome = zendro::cli::adjustJob(
                job.file, *job.review, placement, line.placement.controlPath, limits,
                line.adjustment, line.options.unit, several ? job.file + ": " : std::string());
            if (outcome.failed) {
                // Exports of other positions than the ones asked for would mislead.
                status = kConversionFailed;
                continue;
            }
            if (outcome.failedTest && line.review.strict)
                reviewStatus = std::max(reviewStatus, zendro::cli::kLimitExceeded);
            adjusted = std::move(outcome.positions);
        }
        if (line.exports.wanted()) {
            // The best positions the run has: adjusted, tied to control, or local.
            const zendro::coordinates::JobPositions positions =
                adjusted ? *adjusted
                : tie    ? tie->positions
                         : zendro::coordinates::localPositions(job.review->plan);
            if (zendro::cli::writeJobExports(job.file, *job.review, positions, placement,
                                             line.options, line.exports) != 0)
                status = kConversionFailed;
        }
        if (line.report.wanted()) {
            const auto frame = adjusted ? zendro::coordinates::PositionFrame::Adjusted
                               : tie    ? zendro::coordinates::PositionFrame::TiedToControl
                                        : zendro::coordinates::PositionFrame::Local;
            const zendro::cli::ReportContext context{
                job.conversion ? &*job.conversion : nullptr,
                zendro::coordinates::frameName(frame), &limits, &line.options};
            if (zendro::cli::writeJobReports(job.file, *job.review, context, line.report) != 0)
                status = kConversionFailed;
        }
    }
    return status != 0 ? status : reviewStatus;
}
