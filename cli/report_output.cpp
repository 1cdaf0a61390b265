#include "cli/report_output.h"

#include <exception>
#include <iostream>
#include <vector>

#include "cli/report_module.h"
#include "cli/sketch_loader.h"
#include "common/errors.h"
#include "common/job_paths.h"
#include "common/output_files.h"
#include "conversion/header_clock.h"
#include "review/report_header.h"
#include "review/sketch_model.h"

namespace zendro::cli {
namespace {

std::string pdfBytes(const review::JobReportInput& input, const std::string& path) {
    const auto entry = reinterpret_cast<JobReportPdfEntry>(sketchModuleEntry(kJobReportPdfEntry));
    std::string bytes;
    std::string error;
    entry(input, bytes, error);
    if (!error.empty()) throw ZendroError(path, error);
    return bytes;
}

review::JobReportInput reportInput(const std::string& file, const review::JobReview& review,
                                   const ReportContext& context) {
    const JobPaths job = deriveJobPaths(file);
    review::JobReportInput input;
    input.sketch = review::buildSketch(review, context.options->pointPrefix);
    NullObserver quiet;  // the conversion has told of a SOURCE_DATE_EPOCH it refused
    input.header = {job.jobName,
                    context.options->unit,
                    *context.limits,
                    input.sketch.title.date,
                    headerDate(defaultHeaderClock(quiet)()),
                    std::string(context.frame)};
    input.report = review.report;
    if (context.conversion) input.conversion = review::writtenFilesOf(*context.conversion, job.pfPath);
    return input;
}

}  // namespace

int writeJobReports(const std::string& file, const review::JobReview& review,
                    const ReportContext& context, const ReportFlags& flags) {
    try {
        const review::JobReportInput input = reportInput(file, review, context);
        const std::string jobName = deriveJobPaths(file).jobName;
        // Every report is made before the first is written: a failure leaves none.
        std::vector<std::pair<std::string, std::string>> reports;
        for (const std::string& pattern : flags.pathPatterns) {
            const std::string path = reportPathFor(pattern, jobName);
            reports.emplace_back(path, review::isPdfReportName(path)
                                           ? pdfBytes(input, path)
                                           : review::jobReportText(input.header, input.report));
        }
        OutputFiles files;
        for (const auto& [path, bytes] : reports) files.add(path).write(bytes);
        files.commit();
    } catch (const std::exception& error) {
        std::cerr << "zendro-convert: " << failureMessage(file, error) << '\n';
        return 1;
    }
    return 0;
}

}  // namespace zendro::cli
