#include "cli/review_output.h"

#include <QGuiApplication>
#include <iostream>

#include "common/errors.h"
#include "common/job_paths.h"
#include "review/job_review.h"
#include "review/sketch_model.h"
#include "review_view/sketch_export.h"

namespace zendro::cli {
namespace {

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
