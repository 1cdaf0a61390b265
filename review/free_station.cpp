#include "review/free_station.h"

#include <Eigen/Dense>
#include <Eigen/Geometry>
#include <cmath>
#include <numbers>
#include <set>

#include "common/survey_geometry.h"

namespace zendro::review {
namespace {

using geometry::kRadiansPerDegree;
using geometry::kRadiansPerSecond;
using geometry::signedRadians;
constexpr int kMaxIterations = 20;

// The readings as vectors in the instrument's frame, fitted onto the points:
// a first position and orientation, exact when the readings are.
std::optional<Eigen::Vector3d> firstEstimate(const std::vector<FreeStationSighting>& sightings) {
    const auto count = static_cast<Eigen::Index>(sightings.size());
    Eigen::MatrixXd instrument(2, count), grid(2, count);
    for (Eigen::Index i = 0; i < count; ++i) {
        const FreeStationSighting& s = sightings[static_cast<std::size_t>(i)];
        const double direction = s.directionDegrees * kRadiansPerDegree;
        instrument.col(i) << s.horizontalDistance * std::cos(direction),
            s.horizontalDistance * std::sin(direction);
        grid.col(i) << s.north, s.east;
    }
    const Eigen::MatrixXd fit = Eigen::umeyama(instrument, grid, false);
    if (!fit.allFinite()) return std::nullopt;
    return Eigen::Vector3d(fit(0, 2), fit(1, 2), std::atan2(fit(1, 0), fit(0, 0)));
}

}  // namespace

std::optional<FreeStation> solveFreeStation(const std::vector<FreeStationSighting>& sightings) {
    std::set<std::int64_t> points;
    for (const FreeStationSighting& s : sightings) points.insert(s.point);
    if (points.size() < 2) return std::nullopt;
    std::optional<Eigen::Vector3d> estimate = firstEstimate(sightings);
    if (!estimate) return std::nullopt;
    Eigen::Vector3d x = *estimate;  // north, east, orientation in radians

    const std::size_t count = sightings.size();
    const double directionWeight =
        1.0 / std::pow(kFreeStationDirectionSeconds * kRadiansPerSecond, 2);
    const double distanceWeight = 1.0 / std::pow(kFreeStationDistance, 2);
    Eigen::MatrixXd design(2 * count, 3);
    Eigen::VectorXd misclosure(2 * count), weight(2 * count);
    bool converged = false;
    for (int iteration = 0; iteration < kMaxIterations && !converged; ++iteration) {
        for (std::size_t i = 0; i < count; ++i) {
            const FreeStationSighting& s = sightings[i];
            const double dn = s.north - x(0), de = s.east - x(1);
            const double squared = dn * dn + de * de;
            if (squared == 0) return std::nullopt;
            const double length = std::sqrt(squared);
            const auto row = static_cast<Eigen::Index>(2 * i);
            design.row(row) << de / squared, -dn / squared, -1.0;
            misclosure(row) = signedRadians(s.directionDegrees * kRadiansPerDegree -
                                            (std::atan2(de, dn) - x(2)));
            weight(row) = directionWeight;
            design.row(row + 1) << -dn / length, -de / length, 0.0;
            misclosure(row + 1) = s.horizontalDistance - length;
            weight(row + 1) = distanceWeight;
        }
        const Eigen::MatrixXd weighted = design.transpose() * weight.asDiagonal();
        const Eigen::Matrix3d normal = weighted * design;
        const Eigen::LDLT<Eigen::Matrix3d> solver(normal);
        if (solver.info() != Eigen::Success || !solver.isPositive()) return std::nullopt;
        const Eigen::Vector3d step = solver.solve(weighted * misclosure);
        if (!step.allFinite()) return std::nullopt;
        x += step;
        converged = std::abs(step(0)) + std::abs(step(1)) < 1e-9 && std::abs(step(2)) < 1e-12;
    }
    if (!converged) return std::nullopt;

    FreeStation station;
    station.north = x(0);
    station.east = x(1);
    station.orientationDegrees = geometry::degrees(x(2));
    double elevations = 0;
    for (const FreeStationSighting& s : sightings) elevations += s.elevation - s.heightDifference;
    station.elevation = elevations / static_cast<double>(count);
    const geometry::Position at{station.north, station.east, station.elevation};
    for (const FreeStationSighting& s : sightings) {
        const geometry::Position known{s.north, s.east, s.elevation};
        const geometry::Position read = geometry::polarPoint(
            at, s.directionDegrees + station.orientationDegrees, s.horizontalDistance,
            s.heightDifference);
        const double azimuth = geometry::azimuthRadians(x(0), x(1), s.north, s.east);
        station.residuals.push_back(
            {s.record, s.point,
             signedRadians(geometry::radians(s.directionDegrees) - (azimuth - x(2))) /
                 kRadiansPerSecond,
             s.horizontalDistance - geometry::horizontalDistance(at, known),
             geometry::horizontalDistance(read, known), read.elevation - known.elevation});
    }
    return station;
}

}  // namespace zendro::review
