#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "levels/level_run.h"

namespace zendro::levels {

// A levelling line as its profile draws it: height along the line.
struct ProfilePoint {
    double distance = 0;  // along the line: the sight lengths so far
    double height = 0;
    std::string point;
    bool benchmark = false;
};

struct LineProfile {
    std::string title;                // "Line 3 (RUN.DAT): BM1 to J3", the file by its name
    std::vector<ProfilePoint> points;  // the start, then each setup's foresight point
    std::vector<ProfilePoint> sights;  // intermediate sights, at their instrument
    // Setup i joins points[i] to points[i + 1]; true where a finding of it is over its limit.
    std::vector<bool> failing;
};

// The profile of the run's line `line`: benchmarks are the points the
// control file or the network holds by their known heights.
LineProfile lineProfile(const LevelRunResult& result, std::size_t line);

}  // namespace zendro::levels
