#pragma once

#include "job/job_observer.h"

namespace zendro {

// The plan sheet and the report's PDF drawn by the window itself, with the
// same painters the command line's sketch module uses: the window's files are
// the command line's.
class WindowDrawing final : public JobDrawing {
  public:
    void writeSketch(const review::SketchModel& sketch, const std::string& path,
                     const SketchRequest& request) override;
    std::string reportPdf(const review::JobReportInput& input, const std::string& path) override;
};

}  // namespace zendro
