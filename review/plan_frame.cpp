// The local plan frame: positions from the observations alone, walking the
// records in file order as the crew shot them.

#include "review/plan_frame.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "common/field_format.h"
#include "common/text_forms.h"
#include "conversion/shot_rules.h"

namespace zendro::review {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
using field_format::kSecondFeatureOffset;
using field_format::RecordKind;
using shot_rules::normalizedDegrees;

// In (-180, 180].
double signedAngle(double degrees) {
    const double value = normalizedDegrees(degrees);
    return value > 180.0 ? value - 360.0 : value;
}

double azimuthBetween(const PlanPosition& from, const PlanPosition& to) {
    return normalizedDegrees(std::atan2(to.east - from.east, to.north - from.north) / kRadiansPerDegree);
}

double horizontalBetween(const PlanPosition& a, const PlanPosition& b) {
    return std::hypot(b.north - a.north, b.east - a.east);
}

// A reading reduced to the direct face.
struct Reading {
    double horizontal = 0;
    double zenith = 0;
    double distance = 0;
    double targetHeight = 0;
    std::size_t record = 0;
    double rawZenith = 0;  // as read, for the index error
};

Reading reduce(const Observation& record, std::size_t index) {
    const shot_rules::DirectFaceReading direct = shot_rules::reducedToDirectFace(record);
    return {direct.horizontalDegrees, direct.zenithDegrees, record.distance, record.height, index,
            record.zenithDegrees};
}

std::int64_t positionedNumber(const PointName& name) {
    const std::int64_t number = name.number();
    return number > kSecondFeatureOffset ? number - kSecondFeatureOffset : number;
}

struct TapedValue {
    double distance = 0;
    double direction = 0;
};

// The first direct and reversed readings of one point from one setup.
struct FaceReadings {
    std::optional<Reading> direct;
    std::optional<Reading> reversed;
    bool reported = false;
};

class PlanBuilder {
  public:
    explicit PlanBuilder(const PointTable& table) : table_(table) {}

    void add(const Observation& record, std::size_t index) {
        const auto kind = record.recordKind;
        if (kind < RecordKind::Setup || kind > RecordKind::Sideshot) return;
        currentRecord_ = index;
        noteObserved(record.pointNumber, index);
        switch (kind) {
            case RecordKind::Setup:
                setUp(record, index);
                break;
            case RecordKind::Reference:
                orient(record, index, false);
                break;
            case RecordKind::Backsight:
                orient(record, index, true);
                break;
            default:
                shoot(record, index, kind == RecordKind::Traverse);
                break;
        }
    }

    Plan finish() {
        placeTapedPoints();
        spreadFrames();
        return std::move(plan_);
    }

  private:
    struct Station {
        std::int64_t point = 0;
        std::size_t frame = 0;
        PlanPosition position;
        double instrumentHeight = 0;
        std::size_t setupNumber = 0;
        bool oriented = false;
        double orientationAzimuth = 0;
        double backsightReading = 0;
        std::int64_t backsightPoint = -1;
    };

    void noteObserved(std::int64_t number, std::size_t index) {
        std::vector<std::size_t>& records = plan_.recordsOfPoint[number];
        if (records.empty()) plan_.observedPoints.push_back(number);
        records.push_back(index);
    }

    PlanPoint* positioned(std::int64_t number) {
        const auto found = plan_.indexOfPoint.find(number);
        return found == plan_.indexOfPoint.end() ? nullptr : &plan_.points[found->second];
    }

    PlanPoint& addPoint(std::int64_t number, const PlanPosition& position, std::size_t frame) {
        plan_.indexOfPoint[number] = plan_.points.size();
        positionedBy_[number] = {setupCount_, currentRecord_};
        PlanPoint& point = plan_.points.emplace_back();
        point.number = number;
        point.position = position;
        point.frame = frame;
        return point;
    }

    void setUp(const Observation& record, std::size_t index) {
        ++setupCount_;
        faces_.clear();
        Station next;
        next.point = record.pointNumber;
        next.instrumentHeight = record.height;
        next.setupNumber = setupCount_;
        if (PlanPoint* known = positioned(record.pointNumber)) {
            next.frame = known->frame;
            next.position = known->position;
            known->station = true;
        } else {
            next.frame = plan_.frames.size();
            plan_.frames.push_back({record.pointNumber, index, 0});
            frameOriented_.push_back(false);
            frameDatum_.push_back(-1);
            frameLength_.push_back(0);
            addPoint(record.pointNumber, {}, next.frame).station = true;
        }
        station_ = next;
    }

    // A reference direction or a measured backsight orients the setup.
    void orient(const Observation& record, std::size_t index, bool measured) {
        if (!station_) return;
        Station& station = *station_;
        const Reading reading = reduce(record, index);
        station.oriented = true;
        station.backsightReading = reading.horizontal;
        station.backsightPoint = record.pointNumber;
        if (measured) trackFace(record, reading);

        const PlanPoint* target = positioned(record.pointNumber);
        const bool usable = target != nullptr && target->frame == station.frame &&
                            horizontalBetween(station.position, target->position) > 0;
        if (!usable) {
            assumeOrientation(index, record.pointNumber);
            return;
        }
        station.orientationAzimuth = azimuthBetween(station.position, target->position);
        frameOriented_[station.frame] = true;
        if (measured && reading.distance > 0) {
            const double zenith = reading.zenith * kRadiansPerDegree;
            plan_.backsights.push_back(
                {index, record.pointNumber, reading.distance * std::sin(zenith),
                 horizontalBetween(station.position, target->position),
                 station.instrumentHeight + reading.distance * std::cos(zenith) -
                     reading.targetHeight,
                 target->position.elevation - station.position.elevation});
        }
    }

    // The first orientation of a frame on a point without a position is its
    // azimuth 0; any later one is noted as assumed.
    // Orienting again on that same point keeps azimuth 0 without a note.
    void assumeOrientation(std::size_t index, std::int64_t point) {
        Station& station = *station_;
        station.orientationAzimuth = 0;
        if (!frameOriented_[station.frame]) {
            frameOriented_[station.frame] = true;
            frameDatum_[station.frame] = point;
        } else if (frameDatum_[station.frame] != point) {
            plan_.assumedOrientations.push_back({index, point});
        }
    }

    bool isTaped(std::int64_t number) const {
        bool taped = false;
        for (const std::size_t i : table_.indicesOf(number)) {
            if (table_.at(i).isTaped()) taped = true;
        }
        return taped;
    }

    void recordTapedValues(const Observation& record) {
        for (const std::size_t i : table_.indicesOf(record.pointNumber)) {
            if (!table_.at(i).isTaped()) continue;
            tapedValues_[i] = {record.distance, static_cast<double>(shot_rules::tapedDirectionDegrees(
                                                    record.horizontalShownDegrees))};
        }
    }

    void shoot(const Observation& record, std::size_t index, bool traverse) {
        if (isTaped(record.pointNumber)) {
            // Its raw record holds the taped distance and direction, not a polar shot.
            recordTapedValues(record);
            return;
        }
        if (!station_) return;
        Station& station = *station_;
        const Reading reading = reduce(record, index);
        trackFace(record, reading);
        if (!station.oriented) {
            station.oriented = true;
            assumeOrientation(index, record.pointNumber);
        }

        const double azimuth =
            normalizedDegrees(station.orientationAzimuth + reading.horizontal - station.backsightReading) *
            kRadiansPerDegree;
        const double zenith = reading.zenith * kRadiansPerDegree;
        const double horizontal = reading.distance * std::sin(zenith);
        const PlanPosition computed{station.position.north + horizontal * std::cos(azimuth),
                                    station.position.east + horizontal * std::sin(azimuth),
                                    station.position.elevation + station.instrumentHeight +
                                        reading.distance * std::cos(zenith) - reading.targetHeight};

        const PlanPoint* known = positioned(record.pointNumber);
        if (known == nullptr) {
            addPoint(record.pointNumber, computed, station.frame);
            if (traverse) {
                plan_.legs.push_back({station.point, record.pointNumber, index});
                frameLength_[station.frame] += horizontal;
            }
            return;
        }
        // Later observations keep the first position and are compared with it.
        if (known->frame != station.frame ||
            positionedBy_[record.pointNumber].setup == station.setupNumber) {
            return;
        }
        const PlanPosition& first = known->position;
        if (traverse && record.pointNumber != station.backsightPoint) {
            plan_.legs.push_back({station.point, record.pointNumber, index});
            plan_.closures.push_back({index, record.pointNumber, computed.north - first.north,
                                      computed.east - first.east,
                                      computed.elevation - first.elevation,
                                      frameLength_[station.frame] + horizontal});
            return;
        }
        plan_.checkShots.push_back({index, positionedBy_[record.pointNumber].record,
                                    record.pointNumber, horizontalBetween(first, computed),
                                    computed.elevation - first.elevation});
    }

    void trackFace(const Observation& record, const Reading& reading) {
        FaceReadings& faces = faces_[record.pointNumber];
        const bool reversed = record.isReversed();
        if (reversed && !faces.reversed) faces.reversed = reading;
        if (!reversed && !faces.direct) faces.direct = reading;
        if (faces.reported || !faces.direct || !faces.reversed) return;
        faces.reported = true;
        const Reading& direct = *faces.direct;
        const Reading& other = *faces.reversed;
        plan_.facePairs.push_back(
            {reading.record, reading.record == direct.record ? other.record : direct.record,
             record.pointNumber, signedAngle(direct.horizontal - other.horizontal) * 3600.0,
             (direct.rawZenith + other.rawZenith - 360.0) / 2.0 * 3600.0,
             direct.distance - other.distance});
    }

    void placeTapedPoints() {
        for (std::size_t i = 1; i < table_.pointCount(); ++i) {
            const PointEntry& entry = table_.at(i);
            if (!entry.isTaped() || !entry.name.isNumber()) continue;
            const std::int64_t number = entry.name.number();
            if (positioned(number) != nullptr) continue;
            const char* reason = placeTaped(i, number);
            if (reason != nullptr) plan_.unplacedTaped.push_back({i, number, reason});
        }
    }

    // Places the taped entry i as the OBS file's taped block does: from entry
    // i - 1 as station, with entry i - 2 as the zero direction.
    const char* placeTaped(std::size_t i, std::int64_t number) {
        if (!shot_rules::canPlaceTapedEntry(i)) {
            return "it has no station and reference entries before it";
        }
        const auto value = tapedValues_.find(i);
        if (value == tapedValues_.end()) return "no traverse or sideshot record measured it";
        const PointName& stationName = table_.at(i - 1).name;
        const PointName& referenceName = table_.at(i - 2).name;
        const PlanPoint* station =
            stationName.isNumber() ? positioned(positionedNumber(stationName)) : nullptr;
        const PlanPoint* reference =
            referenceName.isNumber() ? positioned(positionedNumber(referenceName)) : nullptr;
        if (station == nullptr || reference == nullptr || station->frame != reference->frame ||
            horizontalBetween(station->position, reference->position) == 0) {
            return "its station and reference entries have no positions";
        }
        const double azimuth =
            (azimuthBetween(station->position, reference->position) + value->second.direction) *
            kRadiansPerDegree;
        const PlanPosition at{station->position.north + value->second.distance * std::cos(azimuth),
                              station->position.east + value->second.distance * std::sin(azimuth),
                              station->position.elevation};
        addPoint(number, at, station->frame).taped = true;
        return nullptr;
    }

    // Each frame is drawn to the east of the one before it, with a gap.
    void spreadFrames() {
        const std::size_t count = plan_.frames.size();
        if (count < 2) return;
        std::vector<double> minEast(count, 0), maxEast(count, 0);
        double widest = 0;
        for (const PlanPoint& point : plan_.points) {
            minEast[point.frame] = std::min(minEast[point.frame], point.position.east);
            maxEast[point.frame] = std::max(maxEast[point.frame], point.position.east);
        }
        for (std::size_t f = 0; f < count; ++f) widest = std::max(widest, maxEast[f] - minEast[f]);
        const double gap = std::max(10.0, widest / 5.0);
        double right = maxEast[0];
        for (std::size_t f = 1; f < count; ++f) {
            plan_.frames[f].drawingEastOffset = right + gap - minEast[f];
            right = plan_.frames[f].drawingEastOffset + maxEast[f];
        }
    }

    const PointTable& table_;
    Plan plan_;
    std::optional<Station> station_;
    std::size_t setupCount_ = 0;
    std::vector<bool> frameOriented_;
    std::vector<std::int64_t> frameDatum_;  // the unknown point a frame's azimuth 0 points at
    std::vector<double> frameLength_;
    struct Origin {
        std::size_t setup = 0;
        std::size_t record = 0;
    };
    std::unordered_map<std::int64_t, Origin> positionedBy_;  // what gave each point its position
    std::size_t currentRecord_ = 0;
    std::unordered_map<std::int64_t, FaceReadings> faces_;
    std::unordered_map<std::size_t, TapedValue> tapedValues_;
};

}  // namespace

const PlanPoint* Plan::find(std::int64_t number) const {
    const auto found = indexOfPoint.find(number);
    return found == indexOfPoint.end() ? nullptr : &points[found->second];
}

Plan computePlan(const std::vector<Observation>& records, const PointTable& points) {
    PlanBuilder builder(points);
    for (std::size_t i = 0; i < records.size(); ++i) builder.add(records[i], i);
    return builder.finish();
}

}  // namespace zendro::review
