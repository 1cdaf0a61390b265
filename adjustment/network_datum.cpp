#include "adjustment/network_datum.h"

#include <Eigen/Geometry>
#include <algorithm>
#include <numbers>
#include <string>

#include "common/errors.h"

namespace zendro::adjustment {
namespace {

using coordinates::ControlHold;
using coordinates::ControlPoint;
using coordinates::PointPosition;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Which group of points keeps what for its datum when control does not give it.
struct GroupDatum {
    std::size_t horizontalControl = 0;
    std::size_t verticalControl = 0;
    std::size_t firstSetup = kNone;  // into the network's setups
};

void checkControl(const ControlPoint& point, const std::string& path) {
    const bool sigma = point.horizontal ? point.sigmaHorizontal.has_value()
                                        : point.sigmaElevation.has_value();
    if (point.hold == ControlHold::Weighted && !sigma) {
        throw ZendroError(path.empty() ? "control" : path,
                          "line " + std::to_string(point.line) + ": control point " +
                              std::to_string(point.number) +
                              " is weighted but has no standard deviation");
    }
}

void placeReadControl(NetworkPoints& points, const std::vector<ControlPoint>& control,
                      const std::vector<SetupReadings>& setups) {
    std::unordered_map<std::int64_t, const ControlPoint*> missing;
    // A height alone cannot place a point the plan has not placed.
    for (const ControlPoint& point : control) {
        if (point.horizontal && !points.at.contains(point.number)) missing[point.number] = &point;
    }
    for (const SetupReadings& setup : setups) {
        if (missing.empty()) break;
        const auto station = points.at.find(setup.station);
        if (station == points.at.end() || points.placedFromControl.contains(setup.station))
            continue;
        for (const SetupReading& reading : setup.readings) {
            const auto found = missing.find(reading.point);
            if (found == missing.end()) continue;
            PointPosition placed;
            placed.number = reading.point;
            placed.north = found->second->north;
            placed.east = found->second->east;
            placed.elevation = found->second->elevation;
            placed.group = points.positions.points[station->second].group;
            points.at[reading.point] = points.positions.points.size();
            points.positions.points.push_back(placed);
            points.placedFromControl.insert(reading.point);
            missing.erase(found);
        }
    }
    points.positions.reindex();
}

}  // namespace

std::size_t NetworkPoints::groupCount() const {
    std::size_t count = 0;
    for (const PointPosition& point : positions.points) count = std::max(count, point.group + 1);
    return count;
}

NetworkPoints networkPoints(const AdjustmentInput& input,
                            const std::vector<SetupReadings>& setups) {
    NetworkPoints points;
    points.positions = *input.approximate;
    points.positions.frame = coordinates::PositionFrame::Adjusted;
    for (std::size_t i = 0; i < points.positions.points.size(); ++i) {
        points.at[points.positions.points[i].number] = i;
    }
    for (const ControlPoint& point : input.control) checkControl(point, input.controlPath);
    placeReadControl(points, input.control, setups);
    points.control.assign(points.positions.points.size(), nullptr);
    for (const ControlPoint& point : input.control) {
        const auto found = points.at.find(point.number);
        if (found != points.at.end()) points.control[found->second] = &point;
    }
    return points;
}

void fitGroupsToControl(NetworkPoints& points) {
    std::vector<PointPosition>& all = points.positions.points;
    const std::size_t groups = points.groupCount();
    // Turned and moved by the control with north and east, raised by every
    // known height (a benchmark's too).
    std::vector<std::vector<std::size_t>> controlled(groups);
    std::vector<double> rise(groups, 0.0);
    std::vector<std::size_t> heights(groups, 0);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const ControlPoint* c = points.control[i];
        if (c == nullptr || points.placedFromControl.contains(all[i].number)) continue;
        if (c->horizontal) controlled[all[i].group].push_back(i);
        rise[all[i].group] += c->elevation - all[i].elevation;
        ++heights[all[i].group];
    }
    for (std::size_t g = 0; g < groups; ++g) {
        const std::vector<std::size_t>& known = controlled[g];
        if (known.empty() && heights[g] == 0) continue;
        Eigen::MatrixXd transform = Eigen::MatrixXd::Identity(3, 3);
        if (!known.empty()) {
            // Dynamic sizes: g++ 12 misreads the fixed 2-row umeyama as an overread.
            Eigen::MatrixXd from(2, known.size()), to(2, known.size());
            for (std::size_t k = 0; k < known.size(); ++k) {
                const PointPosition& p = all[known[k]];
                const ControlPoint& c = *points.control[known[k]];
                from.col(static_cast<Eigen::Index>(k)) << p.north, p.east;
                to.col(static_cast<Eigen::Index>(k)) << c.north, c.east;
            }
            if (known.size() >= 2) {
                transform = Eigen::umeyama(from, to, false);
            } else {
                transform.block(0, 2, 2, 1) = to.col(0) - from.col(0);
            }
        }
        const double raise = heights[g] > 0 ? rise[g] / static_cast<double>(heights[g]) : 0.0;
        for (PointPosition& p : all) {
            if (p.group != g || points.placedFromControl.contains(p.number)) continue;
            const Eigen::Vector3d moved = transform * Eigen::Vector3d(p.north, p.east, 1.0);
            p.north = moved.x();
            p.east = moved.y();
            p.elevation += raise;
        }
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        const ControlPoint* c = points.control[i];
        if (c == nullptr) continue;
        if (c->horizontal) {
            all[i].north = c->north;
            all[i].east = c->east;
        }
        all[i].elevation = c->elevation;
    }
}

NetworkDatum chooseDatum(const NetworkPoints& points, const NetworkObservations& network) {
    const std::vector<PointPosition>& all = points.positions.points;
    const auto groupOf = [&](std::size_t setup) {
        return all[points.index(network.setups[setup]->station)].group;
    };
    std::vector<GroupDatum> groups(points.groupCount());
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (points.control[i] == nullptr) continue;
        if (points.control[i]->horizontal) ++groups[all[i].group].horizontalControl;
        ++groups[all[i].group].verticalControl;
    }
    for (std::size_t s = 0; s < network.setups.size(); ++s) {
        GroupDatum& group = groups[groupOf(s)];
        if (group.firstSetup == kNone) group.firstSetup = s;
    }
    NetworkDatum datum;
    datum.heldHorizontal.assign(all.size(), false);
    datum.heldVertical.assign(all.size(), false);
    datum.heldOrientation.assign(network.setups.size(), false);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (points.control[i] == nullptr || points.control[i]->hold != ControlHold::Fixed) continue;
        datum.heldHorizontal[i] = points.control[i]->horizontal;
        datum.heldVertical[i] = true;
    }
    for (const GroupDatum& group : groups) {
        if (group.firstSetup == kNone) continue;
        const std::size_t station = points.index(network.setups[group.firstSetup]->station);
        if (group.horizontalControl == 0) datum.heldHorizontal[station] = true;
        if (group.horizontalControl < 2) datum.heldOrientation[group.firstSetup] = true;
        if (group.verticalControl == 0) datum.heldVertical[station] = true;
    }
    datum.keepsLocalFrame.assign(network.setups.size(), false);
    for (std::size_t s = 0; s < network.setups.size(); ++s) {
        const GroupDatum& group = groups[groupOf(s)];
        datum.keepsLocalFrame[s] =
            datum.heldOrientation[s] && group.firstSetup == s && group.horizontalControl == 0;
    }
    return datum;
}

double localFrameOrientation(const SetupReadings& setup) {
    const SetupReading* chosen = nullptr;
    for (const bool reversed : {false, true}) {
        for (const SetupReading& r : setup.readings) {
            if (r.kind == field_format::RecordKind::Backsight && r.reversed == reversed)
                chosen = &r;
        }
        if (chosen != nullptr) break;
    }
    if (chosen == nullptr) chosen = &setup.readings.front();
    return -chosen->horizontalDegrees * std::numbers::pi / 180.0;
}

}  // namespace zendro::adjustment
