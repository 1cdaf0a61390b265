#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "coordinates/control_file.h"
#include "coordinates/control_tie.h"
#include "coordinates/coordinate_system.h"
#include "coordinates/manual_start.h"
#include "review/job_review.h"

namespace zendro::coordinates {

// Where a job is to be placed: what the command line or the window read
// before converting.
struct PlacementInput {
    // With north and east; the file's vertical benchmarks are for level runs.
    std::vector<ControlPoint> control;
    // Every line of the control file, benchmarks and points alike: the known
    // heights level runs start from and close on.
    std::vector<ControlPoint> heights;
    std::optional<ManualStart> start;
    std::optional<CoordinateSystem> system;

    bool wanted() const { return !control.empty() || start.has_value(); }
};

// Where a job is to be placed, as the user gave it: texts, and the control
// file by its path (the caller reads the file).
struct PlacementText {
    std::string controlPath;
    std::optional<std::string> startPosition;  // "N,E,Z"
    std::optional<std::string> startAzimuth;   // "DDD.MMSS"
    std::string systemCode;                     // "EPSG:NNNN"
    // Level runs come too: a file of benchmarks alone is then enough.
    bool heightsSuffice = false;
};

// The placement the texts name: the system looked up first and checked
// against the job's unit, then the control file's bytes read, then the start.
// Throws ZendroError naming the system, the file (and line) or the start, and
// the cause; nothing is taken from a placement that fails.
PlacementInput placementInput(const PlacementText& text, std::string_view controlBytes,
                              LengthUnit unit);

// Ties the reviewed job to its control (or its start by hand) and adds the
// control checks to the review's report; known heights alone (a level run's)
// place nothing but are checked by their elevation.
ControlTie placeReviewedJob(review::JobReview& review, const PlacementInput& input,
                            const review::ReviewLimits& limits,
                            const std::vector<ControlPoint>& heights = {});

}  // namespace zendro::coordinates
