#include "cli/module_drawing.h"

#include "cli/report_module.h"
#include "cli/sketch_loader.h"
#include "common/errors.h"
#include "job/job_config.h"

namespace zendro::cli {

void ModuleDrawing::writeSketch(const review::SketchModel& sketch, const std::string& path,
                                const SketchRequest& request) {
    writeSketchFile(sketch, path, {request.paper, request.scaleDenominator.value_or(0)});
}

std::string ModuleDrawing::reportPdf(const review::JobReportInput& input, const std::string& path) {
    const auto entry = reinterpret_cast<JobReportPdfEntry>(sketchModuleEntry(kJobReportPdfEntry));
    std::string bytes;
    std::string error;
    entry(input, bytes, error);
    if (!error.empty()) throw ZendroError(path, error);
    return bytes;
}

}  // namespace zendro::cli
