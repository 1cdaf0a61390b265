#include "cli/adjustment_output.h"

#include <exception>
#include <iostream>

#include "adjustment/adjustment_report.h"
#include "adjustment/job_adjustment.h"
#include "common/errors.h"
#include "common/job_paths.h"

namespace zendro::cli {

AdjustmentOutcome adjustJob(const std::string& file, const review::JobReview& review,
                            const coordinates::PlacementInput& placement,
                            const std::string& controlPath, const review::ReviewLimits& limits,
                            const AdjustmentFlags& flags, LengthUnit unit,
                            const std::string& linePrefix) {
    AdjustmentOutcome outcome;
    try {
        adjustment::JobAdjustmentSetup setup;
        setup.control = placement.control;
        if (placement.system) setup.crsCode = placement.system->code();
        setup.sigmas = flags.sigmas(unit);
        setup.limits = limits;
        setup.unit = unit;
        setup.hvdPath = deriveJobPaths(file).hvdPath;
        setup.controlPath = controlPath;
        adjustment::JobAdjustment adjusted = adjustment::adjustReviewedJob(review, setup);
        const std::string report =
            adjustment::adjustmentReport(adjusted.result, adjusted.traverses, unit);
        for (std::size_t at = 0; at < report.size();) {
            const std::size_t end = report.find('\n', at);
            std::cout << linePrefix << std::string_view(report).substr(at, end + 1 - at);
            at = end == std::string::npos ? report.size() : end + 1;
        }
        std::cout << std::flush;
        outcome.failedTest = adjusted.failedTest();
        outcome.positions = std::move(adjusted.result.positions);
    } catch (const std::exception& error) {
        std::cerr << "zendro-convert: " << failureMessage(file, error) << '\n';
        outcome.failed = true;
    }
    return outcome;
}

}  // namespace zendro::cli
