#include "adjustment/network_unknowns.h"

#include <cstdint>

#include "common/survey_geometry.h"

namespace zendro::adjustment {
namespace {

using coordinates::ControlHold;
using coordinates::ControlPoint;
using coordinates::PointPosition;

// What a point's kept readings could fix it by.
struct Support {
    int directions = 0, distances = 0;
    std::int64_t directionFrom = -1, distanceFrom = -1;
    bool directionsFromTwo = false, distancesFromTwo = false;
    void add(bool direction, std::int64_t other) {
        std::int64_t& first = direction ? directionFrom : distanceFrom;
        bool& two = direction ? directionsFromTwo : distancesFromTwo;
        ++(direction ? directions : distances);
        if (first < 0) first = other;
        else if (first != other) two = true;
    }
    bool fixes() const {
        return (directions > 0 && distances > 0) || directionsFromTwo || distancesFromTwo;
    }
};

}  // namespace

// Dropping one point's readings can leave another short, so until stable.
std::vector<bool> keptObservations(const NetworkPoints& points, const NetworkObservations& network,
                                   const NetworkDatum& datum) {
    const std::size_t n = points.positions.points.size();
    std::vector<bool> kept(network.horizontal.size(), true);
    std::vector<bool> determined(n, false);
    for (bool changed = true; changed;) {
        changed = false;
        std::vector<Support> support(n);
        for (std::size_t k = 0; k < network.horizontal.size(); ++k) {
            if (!kept[k]) continue;
            const NetworkObservation& o = network.horizontal[k];
            const bool direction = o.kind == ObservationKind::Direction;
            support[points.index(o.to)].add(direction, o.from);
            support[points.index(o.from)].add(direction, o.to);
        }
        for (std::size_t i = 0; i < n; ++i) {
            determined[i] =
                datum.heldHorizontal[i] ||
                (points.control[i] != nullptr && points.control[i]->horizontal) ||
                support[i].fixes();
        }
        for (std::size_t k = 0; k < network.horizontal.size(); ++k) {
            const NetworkObservation& o = network.horizontal[k];
            if (kept[k] && (!determined[points.index(o.to)] || !determined[points.index(o.from)])) {
                kept[k] = false;
                changed = true;
            }
        }
    }
    return kept;
}

NetworkUnknowns numberUnknowns(const NetworkPoints& points, const NetworkObservations& network,
                               const NetworkDatum& datum, const std::vector<bool>& kept) {
    const std::size_t n = points.positions.points.size();
    NetworkUnknowns u;
    u.horizontal.assign(n, -1);
    u.vertical.assign(n, -1);
    u.orientation.assign(network.setups.size(), -1);
    u.horizontalRows.reserve(network.horizontal.size());
    u.verticalRows.reserve(network.vertical.size());
    auto addPoint = [&](std::size_t i) {
        if (u.horizontal[i] < 0 && !datum.heldHorizontal[i]) {
            u.horizontal[i] = u.horizontalCount;
            u.horizontalCount += 2;
        }
    };
    for (std::size_t k = 0; k < network.horizontal.size(); ++k) {
        if (!kept[k]) continue;
        const NetworkObservation& o = network.horizontal[k];
        const std::size_t from = points.index(o.from), to = points.index(o.to);
        addPoint(from);
        addPoint(to);
        u.horizontalRows.push_back({o.kind, &o, nullptr, from, to});
        if (o.kind == ObservationKind::Direction && u.orientation[o.setup] < 0 &&
            !datum.heldOrientation[o.setup]) {
            u.orientation[o.setup] = u.horizontalCount++;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        const ControlPoint* c = points.control[i];
        if (c == nullptr || !c->horizontal || c->hold != ControlHold::Weighted ||
            u.horizontal[i] < 0)
            continue;
        u.horizontalRows.push_back({ObservationKind::ControlNorth, nullptr, c, i, i});
        u.horizontalRows.push_back({ObservationKind::ControlEast, nullptr, c, i, i});
    }
    for (const NetworkObservation& o : network.vertical) {
        const std::size_t from = points.index(o.from), to = points.index(o.to);
        for (const std::size_t i : {from, to}) {
            if (u.vertical[i] < 0 && !datum.heldVertical[i]) u.vertical[i] = u.verticalCount++;
        }
        u.verticalRows.push_back({o.kind, &o, nullptr, from, to});
    }
    for (std::size_t i = 0; i < n; ++i) {
        const ControlPoint* c = points.control[i];
        if (c == nullptr || c->hold != ControlHold::Weighted || u.vertical[i] < 0) continue;
        u.verticalRows.push_back({ObservationKind::ControlElevation, nullptr, c, i, i});
    }
    return u;
}

std::vector<double> startOrientations(const NetworkPoints& points,
                                      const NetworkObservations& network, const NetworkDatum& datum,
                                      const NetworkUnknowns& unknowns) {
    const std::size_t setups = network.setups.size();
    std::vector<double> orientation(setups, 0.0);
    std::vector<double> sum(setups, 0.0);
    std::vector<int> count(setups, 0);
    std::vector<double> first(setups, 0.0);
    for (const NetworkRow& row : unknowns.horizontalRows) {
        if (row.kind != ObservationKind::Direction) continue;
        const std::size_t s = row.observation->setup;
        const PointPosition& a = points.positions.points[row.from];
        const PointPosition& b = points.positions.points[row.to];
        const double offset =
            geometry::azimuthRadians(a.north, a.east, b.north, b.east) - row.observation->observed;
        if (count[s] == 0) first[s] = offset;
        sum[s] += geometry::signedRadians(offset - first[s]);
        ++count[s];
    }
    for (std::size_t s = 0; s < setups; ++s) {
        if (count[s] > 0) orientation[s] = first[s] + sum[s] / count[s];
        if (datum.keepsLocalFrame[s]) orientation[s] = localFrameOrientation(*network.setups[s]);
    }
    return orientation;
}

std::string unknownName(int unknown, NetworkPart part, const NetworkUnknowns& unknowns,
                        const NetworkPoints& points, const NetworkObservations& network) {
    const bool horizontal = part == NetworkPart::Horizontal;
    std::string what;
    for (std::size_t i = 0; i < points.positions.points.size() && what.empty(); ++i) {
        const int first = horizontal ? unknowns.horizontal[i] : unknowns.vertical[i];
        const std::string point = "point " + std::to_string(points.positions.points[i].number);
        if (!horizontal && first == unknown) what = "the elevation of " + point;
        if (horizontal && first == unknown) what = "the north of " + point;
        if (horizontal && first >= 0 && first + 1 == unknown) what = "the east of " + point;
    }
    for (std::size_t s = 0; s < unknowns.orientation.size() && what.empty(); ++s) {
        if (unknowns.orientation[s] != unknown) continue;
        what = "the orientation of the setup on point " +
               std::to_string(network.setups[s]->station) + " (HVD record " +
               std::to_string(network.setups[s]->record) + ")";
    }
    return what;
}

}  // namespace zendro::adjustment
