#pragma once

#include "common/length_unit.h"

namespace zendro::review {

// What the check report accepts before it calls a measurement over its limit.
// Distances and elevations are in the job's distance unit, angles in seconds.
// The defaults live in the limit table (review/limit_table.h); a value made
// without defaultLimits is all zero.
struct ReviewLimits {
    double closureRatio = 0;       // the traverse precision must reach 1:closureRatio
    double closureElevation = 0;   // vertical misclosure
    double backsightDistance = 0;  // measured against the positions
    double backsightElevation = 0;
    double faceHorizontalSeconds = 0;  // direct minus reduced reversed reading
    double faceIndexSeconds = 0;       // vertical index error
    double faceDistance = 0;
    double checkShotDistance = 0;  // between a point's two positions
    double checkShotElevation = 0;
    double controlHorizontal = 0;  // an observed control point against its known position
    double controlElevation = 0;
    double controlBacksightSeconds = 0;  // observed direction against the known points'
    double angularMisclosureK = 0;       // seconds: a traverse closes within K x sqrt(n)
    double blunderResidual = 0;          // a standardized residual above it is a blunder
};

// The defaults for a job in feet, or in meters, from the limit table.
ReviewLimits defaultLimits(LengthUnit unit);

// What the checks of digital level runs accept (levels/). Lengths are in the
// run's unit; the two fine limits in millimetres for a run in meters and in
// the run's feet otherwise (see LimitUnit). The defaults live in the limit
// table (defaultLevelLimits); a value made without them is all zero.
struct LevelLimits {
    double misclosureK = 0;       // a line or loop closes within k x sqrt(K), K its length
    double setupImbalance = 0;    // back less fore sight length at one setup
    double lineImbalance = 0;     // the same, summed over the line, at its end
    double longestSight = 0;
    double lowestReading = 0;     // ground clearance of the line of sight
    double doubleDifference = 0;  // the two height differences of a double-read setup
    double markedReadings = 0;    // readings the instrument marked `e`, per line
    double blunderResidual = 0;   // a standardized residual above it is a blunder
};

}  // namespace zendro::review
