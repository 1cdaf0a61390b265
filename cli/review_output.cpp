#include "cli/review_output.h"

#include <iostream>

#include "cli/sketch_loader.h"
#include "common/job_paths.h"
#include "review/sketch_model.h"

namespace zendro::cli {

int reportReview(const std::string& file, const review::JobReview& review,
                 const ConversionOptions& options, const ReviewFlags& flags, bool several) {
    const std::string linePrefix = several ? file + ": " : std::string();
    if (flags.review) {
        const std::string report = review.report.text();
        std::size_t at = 0;
        while (at < report.size()) {
            const std::size_t end = report.find('\n', at);
            std::cout << linePrefix << std::string_view(report).substr(at, end + 1 - at);
            at = end + 1;
        }
        std::cout << std::flush;
    }
    if (!flags.sketchPath.empty()) {
        try {
            writeSketchFile(review::buildSketch(review, options, deriveJobPaths(file).jobName),
                            flags.sketchPath, {flags.sketchPaper, flags.sketchScale});
        } catch (const std::exception& error) {
            std::cerr << "zendro-convert: " << error.what() << '\n';
            return 1;
        }
    }
    return flags.strict && review.report.overLimit > 0 ? kLimitExceeded : 0;
}

}  // namespace zendro::cli
