#include "shell/review/window_drawing.h"

#include "common/errors.h"
#include "job/job_config.h"
#include "review_view/job_report.h"
#include "review_view/sketch_export.h"

namespace zendro {

void WindowDrawing::writeSketch(const review::SketchModel& sketch, const std::string& path,
                                const SketchRequest& request) {
    review::exportSketch(sketch, path, {request.paper, request.scaleDenominator});
}

std::string WindowDrawing::reportPdf(const review::JobReportInput& input, const std::string& path) {
    std::string pdf = review::jobReportPdf(input);
    if (pdf.empty()) throw ZendroError(path, "the report could not be drawn");
    return pdf;
}

}  // namespace zendro
