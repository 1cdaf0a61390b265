#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zendro::review {

// A setup on an unknown point's reading of a point with a position: one per
// point, the mean of its faces.
struct FreeStationSighting {
    std::size_t record = 0;
    std::int64_t point = 0;
    double north = 0, east = 0, elevation = 0;  // the point's position
    double directionDegrees = 0;                // the circle reading, reduced to the direct face
    double horizontalDistance = 0;              // slope distance x sin zenith
    double heightDifference = 0;                // instrument height + S cos zenith - target height
};

struct FreeStationResidual {
    std::size_t record = 0;
    std::int64_t point = 0;
    double directionSeconds = 0;  // observed minus adjusted
    double distance = 0;
    // Where the reading puts the point from the station, against where it is:
    // horizontally apart, and the reading's elevation minus the known one.
    double apart = 0;
    double elevation = 0;
};

struct FreeStation {
    double north = 0, east = 0, elevation = 0;
    double orientationDegrees = 0;  // added to a direct-face reading gives its azimuth
    std::vector<FreeStationResidual> residuals;
};

// The a priori deviations the free station weighs its readings by.
inline constexpr double kFreeStationDirectionSeconds = 5.0;
inline constexpr double kFreeStationDistance = 0.01;  // in the job's unit

// The station's position and orientation from readings with distances to two
// or more distinct points: weighted least squares of the directions and the
// horizontal distances, by Gauss-Newton to convergence; its elevation the mean
// of the points' elevations less the height differences. Nothing when fewer
// than two points are sighted or the points give no solution.
std::optional<FreeStation> solveFreeStation(const std::vector<FreeStationSighting>& sightings);

}  // namespace zendro::review
