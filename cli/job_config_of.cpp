#include "cli/job_config_of.h"

#include "common/file_io.h"

namespace zendro::cli {

JobConfig jobConfigOf(const CommandLine& line) {
    JobConfig config;
    config.options = line.options;
    config.pfUpdate = line.pfUpdate;
    const LengthUnit unit = line.options.unit;
    config.limits = line.review.limits(unit);
    config.printReview = line.review.review;
    config.strict = line.review.strict;

    config.levels = line.levels.options();
    const PlacementFlags& placement = line.placement;
    const std::string controlBytes =
        placement.controlPath.empty() ? std::string() : readFileBytes(placement.controlPath);
    config.placement = std::make_shared<const coordinates::PlacementInput>(
        coordinates::placementInput({placement.controlPath, placement.start, placement.azimuth,
                                     placement.crsCode, config.levels.has_value()},
                                    controlBytes, unit));
    config.controlPath = placement.controlPath;

    if (line.adjustment.adjust) config.adjustment = line.adjustment.sigmas(unit);
    config.exports = line.exports.targets;
    config.csv = line.exports.csv;
    if (!line.review.sketchPath.empty()) {
        SketchRequest& sketch = config.sketch.emplace();
        sketch.pathPattern = line.review.sketchPath;
        sketch.paper = review::sheetPaperNamed(line.review.sketchPaper).value_or(sketch.paper);
        if (line.review.sketchScale > 0) sketch.scaleDenominator = line.review.sketchScale;
    }
    config.reports = line.report.pathPatterns;
    config.reportInstrument = line.report.instrument;
    config.reportCrew = line.report.crew;
    return config;
}

}  // namespace zendro::cli
