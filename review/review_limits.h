#pragma once

namespace zendro::review {

// What the check report accepts before it calls a measurement over its limit.
// Distances and elevations are in the job's distance unit, angles in seconds.
struct ReviewLimits {
    double closureRatio = 10000;      // the traverse precision must reach 1:closureRatio
    double closureElevation = 0.10;   // vertical misclosure
    double backsightDistance = 0.05;  // measured against the positions
    double backsightElevation = 0.05;
    double faceHorizontalSeconds = 20;  // direct minus reduced reversed reading
    double faceIndexSeconds = 20;       // vertical index error
    double faceDistance = 0.03;
    double checkShotDistance = 0.05;  // between a point's two positions
    double checkShotElevation = 0.05;
};

// The defaults for a job in feet, or in meters.
ReviewLimits defaultLimits(bool metric);

}  // namespace zendro::review
