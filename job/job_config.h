#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adjustment/apriori_sigmas.h"
#include "common/conversion_options.h"
#include "coordinates/job_placement.h"
#include "exports/csv_layout.h"
#include "exports/export_target.h"
#include "features/pf_freshness.h"
#include "levels/level_run.h"
#include "review/review_limits.h"
#include "review/sketch_model.h"

namespace zendro {

// The plan sheet of a job written as a file: SVG, PDF or PNG by the name's
// extension. "{job}" in the name stands for the job's name.
struct SketchRequest {
    std::string pathPattern;
    review::SheetPaper paper = review::SheetPaper::A4;
    std::optional<double> scaleDenominator;  // 1:N; the whole job fitted when unset
};

// Everything one run of a job is asked to do, as the command line's flags or
// the window's fields give it: each step after the conversion is done only
// when asked for.
struct JobConfig {
    ConversionOptions options;
    // What to do with a JOB.pf its CTX file does not match, before converting.
    std::optional<PfUpdate> pfUpdate;

    review::ReviewLimits limits = review::defaultLimits(kDefaultFootUnit);
    bool printReview = false;  // the check report is told to the observer
    bool strict = false;       // a limit exceeded is a failed run (exit status 3)

    // Control, a start by hand and the coordinate system, read once for every
    // job of a run (a system holds PROJ's state: shared, used on one thread).
    std::shared_ptr<const coordinates::PlacementInput> placement;
    std::string controlPath;  // named in the adjustment's messages

    // Level runs whose heights join the job: read, reduced, checked and
    // adjusted at each review in the job's unit, the control file's heights
    // their benchmarks. Their findings join the review; their heights of the
    // job's points (by point number) its control checks and its adjustment.
    std::optional<levels::LevelRunOptions> levels;

    std::optional<adjustment::AprioriSigmas> adjustment;  // adjust with these when set
    // The positions the outputs show when the session has them: the window's
    // choice. Unset, the best it has (adjusted, tied to control, local).
    std::optional<coordinates::PositionFrame> frame;

    std::vector<exports::ExportTarget> exports;
    exports::CsvLayout csv;
    std::optional<SketchRequest> sketch;
    std::vector<std::string> reports;  // file names, "{job}" for the job's name
    // The report's title block: the instrument and the crew, as given; empty,
    // a blank to fill in by hand.
    std::string reportInstrument;
    std::string reportCrew;

    // Whether anything after the conversion is asked for: then the conversion
    // keeps the job it decoded.
    bool reviewed() const {
        return printReview || strict || placed() || levels || adjustment || !exports.empty() ||
               sketch || !reports.empty();
    }
    bool placed() const { return placement && placement->wanted(); }
};

}  // namespace zendro
