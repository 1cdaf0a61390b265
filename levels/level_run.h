#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "coordinates/control_file.h"
#include "levels/level_finding.h"
#include "levels/level_forms.h"
#include "levels/level_line.h"
#include "levels/level_network.h"
#include "levels/level_reduction.h"
#include "review/review_limits.h"

namespace zendro::levels {

// What a level run is asked for; the command line and the window fill it.
struct LevelRunOptions {
    std::vector<std::string> files;
    std::string controlPath;             // empty: no control file
    std::optional<LengthUnit> unit;      // nothing: the unit of the first file
    LengthUnit foot = kDefaultFootUnit;  // the foot a file in feet is in
    double sigmaKm = 1.0;                // mm, 1 km of double-run levelling
    LevelWeighting weighting = LevelWeighting::Length;
    // One per row of the level limits, in the table's order; unset takes the
    // default of the run's unit.
    std::vector<std::optional<double>> givenLimits;
    std::string reportPath;  // .txt or .pdf; empty: none
    std::string csvPath;     // empty: none
};

// A file's bytes as read at the edge.
struct LevelInput {
    std::string path;
    std::string bytes;
};

// Everything a run found: the Qt-free model the text report, the CSV and a
// PDF are drawn from. It owns the lines its parts point into, so it moves
// but does not copy.
struct LevelRunResult {
    LevelRunResult() = default;
    LevelRunResult(LevelRunResult&&) = default;
    LevelRunResult& operator=(LevelRunResult&&) = default;
    LevelRunResult(const LevelRunResult&) = delete;
    LevelRunResult& operator=(const LevelRunResult&) = delete;

    std::vector<std::string> files;
    std::string controlPath;
    std::size_t benchmarkCount = 0;
    LevelForms forms;
    review::LevelLimits limits;
    NetworkSettings settings;
    std::vector<LevelLine> levelLines;
    std::vector<ReducedLine> lines;  // one per level line, in the files' order
    std::vector<LevelFinding> findings;
    CheckTally tally;
    NetworkResult network;

    // Over a limit, a fault in a file, a blunder or a variance test failed
    // above (the readings worse than the a priori deviation).
    bool overLimit() const;
    // What --strict exits 3 for: over a limit, or the variance test failed
    // either way, as the job adjustment's --strict does.
    bool strictFailure() const;
};

// The whole run from bytes: read, reduce, check, adjust. Throws ZendroError
// naming the file for one that cannot be read at all (an empty file).
LevelRunResult runLevels(const std::vector<LevelInput>& files,
                         const std::vector<coordinates::ControlPoint>& control,
                         const LevelRunOptions& options);

struct LevelReport;

// What only Qt draws: a report's PDF bytes, from its model. Throws
// ZendroError naming `path` and the cause.
using LevelReportPdf =
    std::function<std::string(const LevelReport& report, const std::string& path)>;

// The run at the edge: reads the files and the control file, runs, and
// writes the report (text, or PDF through `pdf`) and the CSV together
// (nothing half-written; a failure leaves neither). Throws ZendroError
// naming the file and the cause.
class LevelRun {
  public:
    explicit LevelRun(LevelRunOptions options) : options_(std::move(options)) {}
    LevelRunResult run() const;
    void writeOutputs(const LevelRunResult& result, const LevelReportPdf& pdf = {}) const;

  private:
    LevelRunOptions options_;
};

}  // namespace zendro::levels
