#pragma once

#include <cstdint>
#include <vector>

#include "conversion/observation.h"
#include "coordinates/control_file.h"
#include "coordinates/job_positions.h"
#include "features/point_table.h"
#include "review/plan_frame.h"
#include "review/review_limits.h"

namespace zendro::adjustment {

struct CompassPoint {
    std::int64_t number = 0;
    double north = 0;
    double east = 0;
};

// One single traverse adjusted by the compass (Bowditch) rule: the angular
// misclosure spread equally over the angles, then the linear misclosure over
// the legs in proportion to their length.
struct CompassTraverse {
    bool closed = false;                // ends on its start point; else between control
    std::vector<std::int64_t> stations;  // in traverse order; a closed one not repeated
    std::int64_t startReference = 0;    // the point the first angle turns from
    std::int64_t endReference = 0;      // the point the last angle turns to
    int angles = 0;                     // n
    double angularMisclosureSeconds = 0;  // carried minus known azimuth
    double angularLimitSeconds = 0;       // K sqrt(n)
    bool angularWithinLimit = true;
    double length = 0;  // horizontal, along the legs
    double misclosureNorth = 0;  // reached minus known, after the angles were balanced
    double misclosureEast = 0;
    double precisionRatio = 0;  // length over the linear misclosure; 0 when it closes exactly
    std::vector<CompassPoint> adjusted;  // the stations after the compass rule
};

// Every closed traverse among the plan's legs (3 legs or more, back on its
// start point), and with control every traverse from a control point with a
// control backsight to a control point with a control foresight. Angles are
// the first setup's on each station that reads both neighbours, faces meaned;
// legs are the foresights' horizontal distances. A closed traverse keeps its
// start point and first leg's azimuth from `approximate`.
std::vector<CompassTraverse> compassTraverses(const std::vector<Observation>& records,
                                              const PointTable& points, const review::Plan& plan,
                                              const coordinates::JobPositions& approximate,
                                              const std::vector<coordinates::ControlPoint>& control,
                                              const review::ReviewLimits& limits);

}  // namespace zendro::adjustment
