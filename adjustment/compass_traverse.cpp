#include "adjustment/compass_traverse.h"

#include <optional>
#include <unordered_map>

#include "adjustment/compass_rule.h"
#include "adjustment/setup_readings.h"
#include "common/survey_geometry.h"

namespace zendro::adjustment {
namespace {

using coordinates::ControlPoint;
using geometry::azimuthDegrees;
using geometry::signedDegrees;

// A setup's mean reading of one point over its faces and repeats.
struct MeanReading {
    double direction = 0;  // degrees, direct face
    double horizontal = 0;  // 0 without a distance
};

class StationReadings {
  public:
    explicit StationReadings(const std::vector<SetupReadings>& setups) {
        for (const SetupReadings& setup : setups) byStation_[setup.station].push_back(&setup);
    }

    // The angle at `station` from `back` to `ahead` (ahead minus back, degrees),
    // from its first setup that reads both.
    std::optional<double> angle(std::int64_t station, std::int64_t back, std::int64_t ahead) const {
        for (const SetupReadings* setup : setupsOn(station)) {
            const auto b = mean(*setup, back);
            const auto a = mean(*setup, ahead);
            if (b && a) return a->direction - b->direction;
        }
        return std::nullopt;
    }

    // The horizontal distance from `station` to `ahead`, from the first setup
    // on the station that measured it.
    std::optional<double> leg(std::int64_t station, std::int64_t ahead) const {
        for (const SetupReadings* setup : setupsOn(station)) {
            const auto a = mean(*setup, ahead);
            if (a && a->horizontal > 0) return a->horizontal;
        }
        return std::nullopt;
    }

    // A point other than `besides` that the station's setups read, among `wanted`.
    std::optional<std::int64_t> readControl(
        std::int64_t station, std::int64_t besides,
        const std::unordered_map<std::int64_t, const ControlPoint*>& wanted) const {
        for (const SetupReadings* setup : setupsOn(station)) {
            bool readsBesides = false;
            for (const SetupReading& r : setup->readings) readsBesides = readsBesides || r.point == besides;
            if (!readsBesides) continue;
            for (const SetupReading& r : setup->readings) {
                if (r.point != besides && r.point != station && wanted.contains(r.point)) return r.point;
            }
        }
        return std::nullopt;
    }

  private:
    const std::vector<const SetupReadings*>& setupsOn(std::int64_t station) const {
        static const std::vector<const SetupReadings*> none;
        const auto found = byStation_.find(station);
        return found == byStation_.end() ? none : found->second;
    }

    static std::optional<MeanReading> mean(const SetupReadings& setup, std::int64_t point) {
        int count = 0, measured = 0;
        double first = 0, offsets = 0, horizontal = 0;
        for (const SetupReading& r : setup.readings) {
            if (r.point != point) continue;
            if (count == 0) first = r.horizontalDegrees;
            offsets += signedDegrees(r.horizontalDegrees - first);
            ++count;
            if (r.slopeDistance > 0) {
                horizontal += r.horizontalDistance();
                ++measured;
            }
        }
        if (count == 0) return std::nullopt;
        return MeanReading{first + offsets / count, measured > 0 ? horizontal / measured : 0};
    }

    std::unordered_map<std::int64_t, std::vector<const SetupReadings*>> byStation_;
};

// The plan's legs joined end to end; a chain ends when it returns to its start.
std::vector<std::vector<std::int64_t>> chainsOfLegs(const std::vector<review::PlanLeg>& legs) {
    std::vector<std::vector<std::int64_t>> chains;
    std::vector<std::int64_t> current;
    for (const review::PlanLeg& leg : legs) {
        if (current.empty() || current.back() != leg.from || current.back() == current.front()) {
            if (current.size() >= 2) chains.push_back(std::move(current));
            current = {leg.from};
        }
        current.push_back(leg.to);
    }
    if (current.size() >= 2) chains.push_back(std::move(current));
    return chains;
}

class TraverseFinder {
  public:
    TraverseFinder(const std::vector<SetupReadings>& setups,
                   const coordinates::JobPositions& approximate,
                   const std::vector<ControlPoint>& control, double misclosureK)
        : readings_(setups), approximate_(approximate), misclosureK_(misclosureK) {
        for (const ControlPoint& point : control) control_[point.number] = &point;
    }

    std::optional<CompassTraverse> closed(const std::vector<std::int64_t>& chain) const {
        // A, B, ..., A: angles at B ... and last at A (from the last station to B).
        const std::size_t stations = chain.size() - 1;
        if (stations < 3) return std::nullopt;
        CompassTraverse traverse;
        traverse.closed = true;
        traverse.stations.assign(chain.begin(), chain.end() - 1);
        traverse.startReference = chain[stations - 1];
        traverse.endReference = chain[1];
        std::vector<double> angles, legs;
        for (std::size_t i = 1; i <= stations; ++i) {
            const std::int64_t back = chain[i - 1];
            const std::int64_t ahead = i == stations ? chain[1] : chain[i + 1];
            const auto angle = readings_.angle(chain[i], back, ahead);
            if (!angle) return std::nullopt;
            angles.push_back(*angle);
        }
        if (!legsOf(chain, legs)) return std::nullopt;
        const coordinates::PointPosition* start = approximate_.find(chain[0]);
        const coordinates::PointPosition* second = approximate_.find(chain[1]);
        if (start == nullptr || second == nullptr) return std::nullopt;
        TraverseFrame frame;
        frame.startNorth = start->north;
        frame.startEast = start->east;
        frame.firstAzimuth = azimuthDegrees({start->north, start->east}, {second->north, second->east});
        return balanceTraverse(std::move(traverse), angles, legs, frame, misclosureK_);
    }

    std::optional<CompassTraverse> connecting(std::vector<std::int64_t> chain) const {
        if (control_.empty()) return std::nullopt;
        // A chain whose last leg ends on the closing control point itself.
        if (chain.size() >= 3 && isControl(chain.back()) && isControl(chain[chain.size() - 2])) {
            const std::int64_t closing = chain.back();
            chain.pop_back();
            return connectingTo(chain, closing);
        }
        if (chain.size() < 2 || !isControl(chain.back())) return std::nullopt;
        const auto closing = readings_.readControl(chain.back(), chain[chain.size() - 2], control_);
        if (!closing) return std::nullopt;
        return connectingTo(chain, *closing);
    }

  private:
    bool isControl(std::int64_t point) const { return control_.contains(point); }

    bool legsOf(const std::vector<std::int64_t>& chain, std::vector<double>& legs) const {
        for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
            const auto leg = readings_.leg(chain[i], chain[i + 1]);
            if (!leg) return false;
            legs.push_back(*leg);
        }
        return true;
    }

    std::optional<CompassTraverse> connectingTo(const std::vector<std::int64_t>& chain,
                                                std::int64_t closing) const {
        if (!isControl(chain.front()) || chain.size() < 2) return std::nullopt;
        const auto opening = readings_.readControl(chain.front(), chain[1], control_);
        if (!opening) return std::nullopt;
        CompassTraverse traverse;
        traverse.stations = chain;
        traverse.startReference = *opening;
        traverse.endReference = closing;
        std::vector<double> angles, legs;
        for (std::size_t i = 0; i < chain.size(); ++i) {
            const std::int64_t back = i == 0 ? *opening : chain[i - 1];
            const std::int64_t ahead = i + 1 == chain.size() ? closing : chain[i + 1];
            const auto angle = readings_.angle(chain[i], back, ahead);
            if (!angle) return std::nullopt;
            angles.push_back(*angle);
        }
        if (!legsOf(chain, legs)) return std::nullopt;
        const ControlPoint& start = *control_.at(chain.front());
        const ControlPoint& end = *control_.at(chain.back());
        const ControlPoint& from = *control_.at(*opening);
        const ControlPoint& to = *control_.at(closing);
        TraverseFrame frame;
        frame.startNorth = start.north;
        frame.startEast = start.east;
        frame.endNorth = end.north;
        frame.endEast = end.east;
        frame.firstAzimuth =
            azimuthDegrees({start.north, start.east}, {from.north, from.east}) + angles.front();
        frame.closingAzimuth = azimuthDegrees({end.north, end.east}, {to.north, to.east});
        return balanceTraverse(std::move(traverse), angles, legs, frame, misclosureK_);
    }

    StationReadings readings_;
    const coordinates::JobPositions& approximate_;
    std::unordered_map<std::int64_t, const ControlPoint*> control_;
    double misclosureK_;
};

}  // namespace

std::vector<CompassTraverse> compassTraverses(const std::vector<Observation>& records,
                                              const PointTable& points, const review::Plan& plan,
                                              const coordinates::JobPositions& approximate,
                                              const std::vector<ControlPoint>& control,
                                              const review::ReviewLimits& limits) {
    const std::vector<SetupReadings> setups = collectSetups(records, points);
    const TraverseFinder finder(setups, approximate, control, limits.angularMisclosureK);
    std::vector<CompassTraverse> traverses;
    for (const std::vector<std::int64_t>& chain : chainsOfLegs(plan.legs)) {
        std::optional<CompassTraverse> found =
            chain.front() == chain.back() ? finder.closed(chain) : finder.connecting(chain);
        if (found) traverses.push_back(std::move(*found));
    }
    return traverses;
}

}  // namespace zendro::adjustment
