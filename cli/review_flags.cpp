#include "cli/review_flags.h"

#include <CLI/CLI.hpp>

#include "review/sketch_model.h"

namespace zendro::cli {
namespace {

void addLimit(CLI::App& app, const std::string& name, std::optional<double>& value,
              const std::string& help) {
    app.add_option(name, value, help)->group("Review limits")->check(CLI::NonNegativeNumber);
}

}  // namespace

review::ReviewLimits ReviewFlags::limits(bool metric) const {
    review::ReviewLimits limits = review::defaultLimits(metric);
    limits.closureRatio = closureRatio.value_or(limits.closureRatio);
    limits.closureElevation = closureElevation.value_or(limits.closureElevation);
    limits.backsightDistance = backsightDistance.value_or(limits.backsightDistance);
    limits.backsightElevation = backsightElevation.value_or(limits.backsightElevation);
    limits.faceHorizontalSeconds = faceHorizontal.value_or(limits.faceHorizontalSeconds);
    limits.faceIndexSeconds = faceIndex.value_or(limits.faceIndexSeconds);
    limits.faceDistance = faceDistance.value_or(limits.faceDistance);
    limits.checkShotDistance = checkShotDistance.value_or(limits.checkShotDistance);
    limits.checkShotElevation = checkShotElevation.value_or(limits.checkShotElevation);
    return limits;
}

void addReviewFlags(CLI::App& app, ReviewFlags& flags, const std::vector<std::string>& files) {
    app.add_flag("--review", flags.review,
                 "After converting, print the check report: one finding per line, then a summary");
    app.add_option("--sketch", flags.sketchPath,
                   "After converting, write the plan sketch to FILE (.svg, .pdf or .png)")
        ->check(CLI::Validator(
            [](const std::string& path) {
                return review::isSketchFileName(path)
                           ? std::string()
                           : "a sketch is written as .svg, .pdf or .png: " + path;
            },
            "FILE.svg|pdf|png"));
    app.parse_complete_callback([&flags, &files] {
        if (!flags.sketchPath.empty() && files.size() > 1) {
            throw CLI::ValidationError("--sketch", "a sketch is written for one job only");
        }
    });
    app.add_flag("--strict", flags.strict, "Exit with status 3 when a review limit is exceeded");
    addLimit(app, "--limit-closure-ratio", flags.closureRatio,
             "Smallest traverse precision N of 1:N (default 10000)");
    addLimit(app, "--limit-closure-elevation", flags.closureElevation,
             "Vertical misclosure (default 0.10 ft, 0.03 m)");
    addLimit(app, "--limit-backsight-distance", flags.backsightDistance,
             "Backsight distance against the positions (default 0.05 ft, 0.015 m)");
    addLimit(app, "--limit-backsight-elevation", flags.backsightElevation,
             "Backsight elevation difference against the positions (default 0.05 ft, 0.015 m)");
    addLimit(app, "--limit-face-horizontal", flags.faceHorizontal,
             "Face pair horizontal difference in seconds (default 20)");
    addLimit(app, "--limit-face-index", flags.faceIndex,
             "Face pair vertical index error in seconds (default 20)");
    addLimit(app, "--limit-face-distance", flags.faceDistance,
             "Face pair distance difference (default 0.03 ft, 0.01 m)");
    addLimit(app, "--limit-check-shot", flags.checkShotDistance,
             "Check shot: distance between a point's two positions (default 0.05 ft, 0.015 m)");
    addLimit(app, "--limit-check-shot-elevation", flags.checkShotElevation,
             "Check shot: elevation difference (default 0.05 ft, 0.015 m)");
}

}  // namespace zendro::cli
