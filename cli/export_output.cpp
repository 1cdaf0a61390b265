#include "cli/export_output.h"

#include <exception>
#include <iostream>

#include "common/errors.h"
#include "common/job_paths.h"
#include "exports/export_target.h"

namespace zendro::cli {

int writeJobExports(const std::string& file, const review::JobReview& review,
                    const coordinates::JobPositions& positions,
                    const coordinates::PlacementInput& placement,
                    const ConversionOptions& options, const ExportFlags& flags) {
    // Local positions are not on the grid: the system would put them near its origin.
    const bool onGrid = positions.frame != coordinates::PositionFrame::Local;
    const exports::ExportJob job{deriveJobPaths(file).jobName, &options, &review, &positions,
                                 placement.system && onGrid ? &*placement.system : nullptr};
    try {
        for (const exports::ExportTarget& target : flags.targets) {
            const bool geographic = target.format == exports::ExportFormat::Kml ||
                                    target.format == exports::ExportFormat::GeoJson;
            if (geographic && placement.system && !onGrid)
                throw ZendroError(target.pathFor(job.jobName),
                                  "the job's positions are local: tie them to control with "
                                  "--control or --start and --azimuth to place them on " +
                                      placement.system->code());
        }
        exports::writeExports(job, flags.targets, flags.csv);
    } catch (const std::exception& error) {
        std::cerr << "zendro-convert: " << failureMessage(file, error) << '\n';
        return 1;
    }
    return 0;
}

}  // namespace zendro::cli
