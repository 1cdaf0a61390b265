// The job report's PDF for zendro-convert, in the sketch module (see report_module.h).

#include "cli/report_module.h"

#include <exception>
#include <type_traits>

#include "cli/sketch_module_app.h"
#include "review_view/job_report.h"

namespace {

std::string drawReport(const zendro::review::JobReportInput& input) {
    const zendro::cli::SketchModuleApp application;
    return zendro::review::jobReportPdf(input);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void zendroJobReportPdf(
    const zendro::review::JobReportInput& input, std::string& pdf, std::string& error) {
    static_assert(std::is_same_v<decltype(&zendroJobReportPdf), zendro::cli::JobReportPdfEntry>);
    try {
        pdf = drawReport(input);
        if (pdf.empty()) error = "the report could not be drawn";
    } catch (const std::exception& failure) {
        error = failure.what();
    }
}
