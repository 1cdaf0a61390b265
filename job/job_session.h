#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adjustment/job_adjustment.h"
#include "common/job_paths.h"
#include "conversion/conversion_run.h"
#include "conversion/header_clock.h"
#include "conversion/job_model.h"
#include "coordinates/control_tie.h"
#include "coordinates/job_positions.h"
#include "job/job_config.h"
#include "job/job_observer.h"
#include "levels/level_run.h"
#include "review/job_report_input.h"
#include "review/job_review.h"
#include "review/sketch_model.h"

namespace zendro {

// How a whole run of a job ended.
struct JobOutcome {
    bool failed = false;         // a step could not be done; the observer was told why
    bool limitExceeded = false;  // under --strict: a review limit or an adjustment test
};

// One job from its field files to everything asked of it: the field files
// are read once and converted, the job the conversion decoded is reviewed,
// placed on control, adjusted, and its exports and reports written from the
// best positions it has. The command line runs every step at once; the window
// runs them one by one as the crew asks, keeping the session between steps
// (one step at a time: the session is not shared between threads).
class JobSession {
  public:
    JobSession(JobPaths job, JobConfig config);

    const JobPaths& job() const { return job_; }
    const JobConfig& config() const { return config_; }
    JobConfig& config() { return config_; }

    // Brings JOB.pf up to date with the CTX file as the config asks, before
    // converting; what was done, for the user. Throws ZendroError.
    std::string updatePointFeatures(RunObserver& observer);
    // Converts the job and keeps what it decoded. Throws ZendroError naming
    // the file and the cause; the job's outputs are then as they were.
    const ConversionResult& convert(RunObserver& observer, const HeaderClock& clock = {});
    // Reads the job as it is on disk, without converting it.
    void open();
    // What the window's own conversion of the job wrote, for the report.
    void rememberConversion(ConversionResult result);
    bool hasJob() const { return model_.has_value(); }

    // Reviews the job with the config's limits, runs its level runs when the
    // config has them (their findings join the review's), and places it when
    // the config has control or a start. An adjustment is kept: it depends on
    // the job and its control, which a new placement changes
    // (dropAdjustment). Throws ZendroError naming a file that cannot be read.
    const review::JobReview& review();
    // Adjusts the reviewed job with the config's sigmas (the defaults of the
    // unit when it has none). Throws ZendroError when it cannot run.
    const adjustment::JobAdjustment& adjust();
    // Forgets the adjustment (the job's frame or its sigmas changed).
    void dropAdjustment() { adjustment_.reset(); }

    const std::optional<ConversionResult>& conversion() const { return conversion_; }
    const std::optional<review::JobReview>& reviewed() const { return review_; }
    const std::optional<coordinates::ControlTie>& tie() const { return tie_; }
    const std::optional<adjustment::JobAdjustment>& adjustment() const { return adjustment_; }
    // The level runs of the last review, and their heights of the job's
    // points that became its vertical control.
    const std::shared_ptr<const levels::LevelRunResult>& levels() const { return levels_; }
    const std::vector<coordinates::LevelledHeight>& levelled() const { return levelled_; }

    // The positions the exports, the sketch and the report show: those of
    // the config's frame when the session has them, else the best it has:
    // adjusted, else tied to control, else the local frame.
    coordinates::JobPositions positions() const;
    bool has(coordinates::PositionFrame frame) const;
    // The plan sheet of those positions (only they), with its title block.
    review::SketchModel sketch() const;
    // What the job report shows; `madeOn` is the day it is made.
    review::JobReportInput reportInput(const std::string& madeOn) const;

    // Writes the exports, all committed together. A target the job owns, one
    // named twice, or local positions where a format needs the grid are
    // refused before anything is written. Throws ZendroError. The report
    // names the files written.
    void writeExports(const std::vector<exports::ExportTarget>& targets,
                      const exports::CsvLayout& csv);
    // Writes the job reports (PDF or text by each name), committed together.
    void writeReports(const std::vector<std::string>& pathPatterns, JobDrawing& drawing,
                      const std::string& madeOn) const;
    void writeSketch(const SketchRequest& request, JobDrawing& drawing);

    // Everything after the conversion that the config asks for, in order:
    // review (unless reviewed already; told to the observer), adjustment (told too), sketch,
    // exports, reports. A failed step is told and ends the run.
    JobOutcome finish(JobObserver& observer, JobDrawing& drawing, const std::string& madeOn);

  private:
    const review::JobReview& requireReview() const;
    levels::LevelRunResult runLevels() const;
    // The control with north and east, and the levelled heights after it.
    std::vector<coordinates::ControlPoint> adjustmentControl() const;

    JobPaths job_;
    JobConfig config_;
    std::optional<ConversionResult> conversion_;
    std::optional<JobModel> model_;
    std::optional<review::JobReview> review_;
    std::optional<coordinates::ControlTie> tie_;
    std::optional<adjustment::JobAdjustment> adjustment_;
    std::shared_ptr<const levels::LevelRunResult> levels_;
    std::vector<coordinates::LevelledHeight> levelled_;
    // The exports and sketch written since the job was converted or opened,
    // as the report lists them: "csv: PATH".
    std::vector<std::string> written_;
};

}  // namespace zendro
