#pragma once

#include <cmath>
#include <numbers>

// The angle and plane-geometry helpers every computation from the readings
// shares: azimuths clockwise from north in degrees, north before east.
namespace zendro::geometry {

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
inline constexpr double kRadiansPerSecond = kRadiansPerDegree / 3600.0;
inline constexpr double kSecondsPerDegree = 3600.0;
inline constexpr double kSecondsPerRadian = 1.0 / kRadiansPerSecond;

constexpr double radians(double degrees) { return degrees * kRadiansPerDegree; }
constexpr double degrees(double radians) { return radians / kRadiansPerDegree; }

// Degrees folded into [0, 360).
inline double normalizedDegrees(double degrees) {
    double value = std::fmod(degrees, 360.0);
    if (value < 0) value += 360.0;
    return value >= 360.0 ? 0.0 : value;
}

// Degrees folded into (-180, 180]: the smaller turn between two directions.
inline double signedDegrees(double degrees) {
    const double value = normalizedDegrees(degrees);
    return value > 180.0 ? value - 360.0 : value;
}

// Radians folded into (-pi, pi].
inline double signedRadians(double angle) {
    double value = std::remainder(angle, 2.0 * std::numbers::pi);
    if (value <= -std::numbers::pi) value += 2.0 * std::numbers::pi;
    return value;
}

// A point's place: one type for every frame (local, tied, adjusted), in the
// job's length unit.
struct Position {
    double north = 0;
    double east = 0;
    double elevation = 0;
};

// The grid azimuth from one point to another in radians, in (-pi, pi].
inline double azimuthRadians(double fromNorth, double fromEast, double toNorth, double toEast) {
    return std::atan2(toEast - fromEast, toNorth - fromNorth);
}

// The azimuth from one point to another in degrees, in [0, 360).
inline double azimuthDegrees(const Position& from, const Position& to) {
    return normalizedDegrees(degrees(azimuthRadians(from.north, from.east, to.north, to.east)));
}

inline double horizontalDistance(const Position& a, const Position& b) {
    return std::hypot(b.north - a.north, b.east - a.east);
}

// A slope reading reduced to the plane and to the rise between the ground
// marks: the horizontal distance S sin z, and hi + S cos z - ht.
struct SlopeReduction {
    double horizontal = 0;
    double rise = 0;
};

inline SlopeReduction reduceSlope(double slopeDistance, double zenithDegrees,
                                  double instrumentHeight = 0, double targetHeight = 0) {
    const double zenith = radians(zenithDegrees);
    return {slopeDistance * std::sin(zenith),
            instrumentHeight + slopeDistance * std::cos(zenith) - targetHeight};
}

// The point `horizontal` away along `azimuthDegrees` and `rise` above `from`.
inline Position polarPoint(const Position& from, double azimuthDegrees, double horizontal,
                           double rise = 0) {
    const double azimuth = radians(azimuthDegrees);
    return {from.north + horizontal * std::cos(azimuth), from.east + horizontal * std::sin(azimuth),
            from.elevation + rise};
}

}  // namespace zendro::geometry
