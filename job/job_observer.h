#pragma once

#include <string>
#include <string_view>

#include "common/run_observer.h"
#include "review/job_report_input.h"
#include "review/sketch_model.h"

namespace zendro {

struct SketchRequest;

// How a job session tells its front end what it did: the conversion's status,
// progress and warnings, what it did besides (a JOB.pf brought up to date), a
// step that failed (the file and the cause), and the text of the reports
// asked for (the check report, the adjustment report), each line ended with LF.
class JobObserver : public RunObserver {
  public:
    virtual void notice(std::string_view message) = 0;
    virtual void failure(std::string_view message) = 0;
    virtual void report(std::string_view text) = 0;
};

// What only Qt draws: the plan sheet and the job report's PDF. The command
// line loads them from its sketch module; the window draws them itself.
class JobDrawing {
  public:
    virtual ~JobDrawing() = default;
    // Writes the sheet to `path` (SVG, PDF or PNG by its extension). Throws
    // ZendroError naming the file and the cause.
    virtual void writeSketch(const review::SketchModel& sketch, const std::string& path,
                             const SketchRequest& request) = 0;
    // The report's PDF bytes. Throws ZendroError naming `path` and the cause.
    virtual std::string reportPdf(const review::JobReportInput& input,
                                  const std::string& path) = 0;
};

}  // namespace zendro
