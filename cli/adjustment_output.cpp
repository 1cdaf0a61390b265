#include "cli/adjustment_output.h"

#include <exception>
#include <iostream>

#include "adjustment/adjustment_report.h"
#include "adjustment/compass_traverse.h"
#include "adjustment/network_adjustment.h"
#include "common/errors.h"
#include "common/job_paths.h"
#include "coordinates/local_positions.h"

namespace zendro::cli {

AdjustmentOutcome adjustJob(const std::string& file, const review::JobReview& review,
                            const coordinates::PlacementInput& placement,
                            const std::string& controlPath, const review::ReviewLimits& limits,
                            const AdjustmentFlags& flags, bool metric,
                            const std::string& linePrefix) {
    AdjustmentOutcome outcome;
    try {
        const coordinates::JobPositions local = coordinates::localPositions(review.plan);
        adjustment::AdjustmentInput input;
        input.records = &review.records;
        input.points = &review.points;
        input.approximate = &local;
        input.control = placement.control;
        input.sigmas = flags.sigmas(metric);
        input.limits = limits;
        input.metric = metric;
        input.hvdPath = deriveJobPaths(file).hvdPath;
        input.controlPath = controlPath;
        adjustment::AdjustmentResult result = adjustment::adjustNetwork(input);
        const std::vector<adjustment::CompassTraverse> traverses = adjustment::compassTraverses(
            review.records, review.points, review.plan, local, placement.control, limits);
        const std::string report = adjustment::adjustmentReport(result, traverses, metric);
        for (std::size_t at = 0; at < report.size();) {
            const std::size_t end = report.find('\n', at);
            std::cout << linePrefix << std::string_view(report).substr(at, end + 1 - at);
            at = end == std::string::npos ? report.size() : end + 1;
        }
        std::cout << std::flush;
        outcome.failedTest = !result.chiSquarePassed || result.blunder.has_value();
        for (const adjustment::CompassTraverse& traverse : traverses)
            outcome.failedTest = outcome.failedTest || !traverse.angularWithinLimit;
        if (placement.system) result.positions.crsCode = placement.system->code();
        outcome.positions = std::move(result.positions);
    } catch (const std::exception& error) {
        std::cerr << "zendro-convert: " << failureMessage(file, error) << '\n';
        outcome.failed = true;
    }
    return outcome;
}

}  // namespace zendro::cli
