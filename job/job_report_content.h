#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/job_paths.h"
#include "coordinates/control_tie.h"
#include "coordinates/job_positions.h"
#include "job/job_config.h"
#include "review/report_sections.h"

namespace zendro {

// The coordinate list of the positions written, in the exports' decimals:
// point, northing, easting, elevation, and sN, sE, sZ where the adjustment
// determined them; described by their count, frame, system and unit.
review::CoordinateSection coordinateSection(const coordinates::JobPositions& positions,
                                            LengthUnit unit);

// The control the positions were placed with: the control file, the start by
// hand, the coordinate system, and the control points the job observes
// (adjusted: held or weighted; tied: those that placed it). Local positions
// used none.
std::vector<std::string> controlLines(const JobConfig& config,
                                      const coordinates::JobPositions& positions,
                                      const std::optional<coordinates::ControlTie>& tie);

// The job's outputs (OBS, TRV, point-feature file) that exist, for a report
// on a job converted before its session.
std::vector<std::string> outputsFound(const JobPaths& job);

}  // namespace zendro
