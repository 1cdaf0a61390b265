#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "conversion/observation.h"
#include "coordinates/control_file.h"
#include "coordinates/levelled_height.h"
#include "levels/level_run.h"
#include "review/check_report.h"
#include "review/plan_frame.h"
#include "review/report_table.h"

namespace zendro::levels {

// A level run joined to a job: its findings join the job's review, and its
// heights of the job's points become the job's vertical control.

// The run's findings as lines of the job's review (kind LevelRun, each with
// its file and place and its point), counted into its checks.
void addLevelFindings(review::ReviewReport& report, const LevelRunResult& run,
                      const std::vector<Observation>& records);

// The run's adjusted heights of the points the job's plan places, but those
// the control file places in plan (its line holds them: no point is given
// twice); none when the run could not be adjusted.
std::vector<coordinates::LevelledHeight> levelledHeights(
    const LevelRunResult& run, const review::Plan& plan,
    const std::vector<coordinates::ControlPoint>& horizontal);

// The heights as vertical control, north and east free: held where the run
// held them (a standard deviation of 0), else weighted by it (sigma_Z).
std::vector<coordinates::ControlPoint> heightControl(
    const std::vector<coordinates::LevelledHeight>& heights);

// The job report's part of its level runs: the heights the job took from
// them, with the network's summary, then each line's level book.
std::vector<review::ReportTable> jobLevelBook(const LevelRunResult& run,
                                              const std::vector<coordinates::LevelledHeight>& heights);

}  // namespace zendro::levels
