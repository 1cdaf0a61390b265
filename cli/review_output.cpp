#include "cli/review_output.h"

#include <iostream>

#include "cli/sketch_loader.h"
#include "common/errors.h"
#include "common/job_paths.h"
#include "review/job_review.h"
#include "review/sketch_model.h"

namespace zendro::cli {

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
        if (!flags.sketchPath.empty()) {
            writeSketchFile(review::buildSketch(result, options.pointPrefix), flags.sketchPath);
        }
    } catch (const std::exception& error) {
        std::cerr << "zendro-convert: " << error.what() << '\n';
        return 1;
    }
    return flags.strict && result.report.overLimit > 0 ? kLimitExceeded : 0;
}

}  // namespace zendro::cli
