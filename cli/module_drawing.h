#pragma once

#include "job/job_observer.h"

namespace zendro::cli {

// The plan sheet and the report's PDF drawn by the sketch module installed
// beside zendro-convert, loaded on first use (cli/sketch_loader.h).
class ModuleDrawing final : public JobDrawing {
  public:
    void writeSketch(const review::SketchModel& sketch, const std::string& path,
                     const SketchRequest& request) override;
    std::string reportPdf(const review::JobReportInput& input, const std::string& path) override;
};

}  // namespace zendro::cli
