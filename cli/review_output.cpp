#include "cli/review_output.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <iostream>

#include "common/errors.h"
#include "common/job_paths.h"
#include "review/job_review.h"
#include "review/sketch_model.h"
#include "review_view/sketch_export.h"

namespace zendro::cli {
namespace {

void addLimit(CLI::App& app, const std::string& name, std::optional<double>& value,
              const std::string& help) {
    app.add_option(name, value, help)->group("Review limits")->check(CLI::NonNegativeNumber);
}

// Qt draws the sketch; the command line has no display, so the offscreen
// platform serves, and only for as long as the drawing takes.
void writeSketch(const review::JobReview& reviewed, const ConversionOptions& options,
                 const std::string& path) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the missing desktop session mean nothing to this user.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
    });
    int argc = 1;
    char name[] = "zendro-convert";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    review::exportSketch(review::buildSketch(reviewed, options.pointPrefix), path);
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

int runReview(const std::string& file, ConversionOptions options, bool suffixGiven,
              const ReviewFlags& flags, bool several) {
    const JobPaths job = deriveJobPaths(file);
    if (!suffixGiven) options.runSuffix = job.runSuffix;
    const std::string linePrefix = several ? file + ": " : std::string();
    review::JobReview result;
    try {
        result = review::reviewJob(job, options, flags.limits(options.metric));
        if (flags.review) {
            std::string report = result.report.text();
            std::size_t at = 0;
            while (at < report.size()) {
                const std::size_t end = report.find('\n', at);
                std::cout << linePrefix << std::string_view(report).substr(at, end + 1 - at);
                at = end + 1;
            }
            std::cout << std::flush;
        }
        if (!flags.sketchPath.empty()) writeSketch(result, options, flags.sketchPath);
    } catch (const std::exception& error) {
        std::cerr << "zendro-convert: " << error.what() << '\n';
        return 1;
    }
    return flags.strict && result.report.overLimit > 0 ? kLimitExceeded : 0;
}

}  // namespace zendro::cli
