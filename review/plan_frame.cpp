// The local plan frame: positions from the observations alone, walking the
// records in file order as the crew shot them.

#include "review/plan_frame.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <set>
#include <string>

#include "common/field_format.h"
#include "common/survey_geometry.h"
#include "common/text_forms.h"
#include "conversion/shot_rules.h"
#include "review/free_station.h"

namespace zendro::review {
namespace {

using field_format::RecordKind;
using geometry::normalizedDegrees;
using geometry::azimuthDegrees;
using geometry::horizontalDistance;
using geometry::signedDegrees;

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

// The first direct and reversed readings of one point from one setup.
struct FaceReadings {
    std::optional<Reading> direct;
    std::optional<Reading> reversed;
    bool reported = false;
};

// A reading oriented at its setup: the azimuth it points along.
struct Oriented {
    double azimuth = 0;
    Reading reading;
};

// The azimuth between two azimuths, along the shorter way round.
double meanAzimuth(double a, double b) { return normalizedDegrees(a + signedDegrees(b - a) / 2.0); }

// One reading of a point from its faces: the mean of the two (both reduced
// to the direct face), or the one there is. At least one face must be read.
Reading faceMean(const FaceReadings& faces) {
    if (!faces.direct || !faces.reversed) return faces.direct ? *faces.direct : *faces.reversed;
    const Reading& d = *faces.direct;
    const Reading& r = *faces.reversed;
    return {meanAzimuth(d.horizontal, r.horizontal), (d.zenith + r.zenith) / 2.0,
            (d.distance + r.distance) / 2.0, (d.targetHeight + r.targetHeight) / 2.0,
            std::min(d.record, r.record), d.rawZenith};
}

class PlanBuilder {
  public:
    PlanBuilder(const PointTable& table, const JobMeaning& meaning)
        : table_(table), meaning_(meaning) {}

    void add(const Observation& record, std::size_t index) {
        const auto kind = record.recordKind;
        if (kind < RecordKind::Setup || kind > RecordKind::Sideshot) return;
        currentRecord_ = index;
        noteObserved(record.pointNumber, index);
        if (kind == RecordKind::Setup) {
            reduceSetup();
            setUp(record, index);
            return;
        }
        if ((kind == RecordKind::Traverse || kind == RecordKind::Sideshot) &&
            isTaped(record.pointNumber)) {
            return;  // its raw record holds the taped distance and direction, not a polar shot
        }
        if (station_) setupRecords_.push_back({&record, index});
    }

    Plan finish() {
        reduceSetup();
        placeTapedPoints();
        placeSightedPoints();
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
        std::int64_t backsightPoint = -1;
        // Added to a reading of each face (direct, reversed) to give its azimuth.
        std::array<std::optional<double>, 2> faceOffset;
        // On a point without a position: placed once its readings are in.
        bool unplaced = false;
        std::size_t setupRecord = 0;
        std::set<std::int64_t> tiePoints;  // the points a free station was tied by
    };
    struct HeldRecord {
        const Observation* record = nullptr;
        std::size_t index = 0;
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
        Station next;
        next.point = record.pointNumber;
        next.instrumentHeight = record.height;
        next.setupNumber = setupCount_;
        if (PlanPoint* known = positioned(record.pointNumber)) {
            next.frame = known->frame;
            next.position = known->position;
            known->station = true;
        } else {
            next.unplaced = true;
            next.setupRecord = index;
        }
        station_ = next;
    }

    // A setup on a point without a position is tied into the frame of the
    // points it reads with distances, two or more, by a free station; one that
    // cannot be tied starts a frame of its own.
    void placeStation() {
        Station& station = *station_;
        station.unplaced = false;
        const std::size_t record = currentRecord_;
        currentRecord_ = station.setupRecord;
        if (const std::optional<std::size_t> frame = tieFreeStation()) {
            station.frame = *frame;
        } else {
            station.frame = plan_.frames.size();
            plan_.frames.push_back({station.point, station.setupRecord, 0});
            frameOriented_.push_back(false);
            frameDatum_.push_back(-1);
            addPoint(station.point, {}, station.frame).station = true;
            lengthAt_[station.point] = 0;
        }
        currentRecord_ = record;
    }

    // The setup's first direct and reversed readings of each point, in the
    // order first read; a reference record holds a keyed azimuth, no reading.
    std::vector<std::pair<std::int64_t, FaceReadings>> readingsByPoint() const {
        std::vector<std::pair<std::int64_t, FaceReadings>> byPoint;
        std::unordered_map<std::int64_t, std::size_t> at;
        for (const HeldRecord& held : setupRecords_) {
            const Observation& record = *held.record;
            if (record.recordKind == RecordKind::Reference) continue;
            const auto [found, added] = at.try_emplace(record.pointNumber, byPoint.size());
            if (added) byPoint.push_back({record.pointNumber, {}});
            FaceReadings& faces = byPoint[found->second].second;
            std::optional<Reading>& face = record.isReversed() ? faces.reversed : faces.direct;
            if (!face) face = reduce(record, held.index);
        }
        return byPoint;
    }

    // The frame the station was tied into, with its position and orientation
    // set: from each point of one frame that it read with a distance, once,
    // from the mean of its faces.
    std::optional<std::size_t> tieFreeStation() {
        Station& station = *station_;
        std::unordered_map<std::size_t, std::vector<FreeStationSighting>> byFrame;
        for (const auto& [point, faces] : readingsByPoint()) {
            const PlanPoint* target = positioned(point);
            if (target == nullptr || point == station.point) continue;
            const Reading reading = faceMean(faces);
            if (reading.distance <= 0) continue;
            const geometry::SlopeReduction reduced = geometry::reduceSlope(
                reading.distance, reading.zenith, station.instrumentHeight, reading.targetHeight);
            byFrame[target->frame].push_back({reading.record, point, target->position.north,
                                              target->position.east, target->position.elevation,
                                              reading.horizontal, reduced.horizontal,
                                              reduced.rise});
        }
        // The frame with the most points read; the earliest of equals.
        std::optional<std::size_t> best;
        for (const auto& [frame, sightings] : byFrame) {
            if (sightings.size() < 2) continue;
            const std::size_t bestCount = best ? byFrame[*best].size() : 0;
            if (!best || sightings.size() > bestCount ||
                (sightings.size() == bestCount && frame < *best))
                best = frame;
        }
        if (!best) return std::nullopt;
        const std::optional<FreeStation> solved = solveFreeStation(byFrame[*best]);
        if (!solved) return std::nullopt;
        station.position = {solved->north, solved->east, solved->elevation};
        station.faceOffset = {solved->orientationDegrees, solved->orientationDegrees};
        for (const HeldRecord& held : setupRecords_) {
            const RecordKind kind = held.record->recordKind;
            if (kind == RecordKind::Backsight || kind == RecordKind::Reference)
                station.backsightPoint = held.record->pointNumber;
        }
        addPoint(station.point, station.position, *best).station = true;
        lengthAt_[station.point] = 0;
        FreeStationMeasure measure{station.setupRecord, station.point, *best, {}, solved->residuals};
        for (const FreeStationSighting& sighting : byFrame[*best]) {
            measure.points.push_back(sighting.point);
            station.tiePoints.insert(sighting.point);
        }
        std::sort(measure.points.begin(), measure.points.end());
        plan_.freeStations.push_back(std::move(measure));
        return best;
    }

    // A setup's records are reduced together once it ends: each face is
    // oriented on the last backsight of that face, wherever the crew read it
    // (the usual round reads the reversed backsight after the foresights), and
    // a point read on both faces counts once, from the mean of its faces.
    void reduceSetup() {
        if (!station_) return;
        const bool wasUnplaced = station_->unplaced;
        if (wasUnplaced) placeStation();
        // A free station is oriented by its own solution.
        if (!wasUnplaced || !station_->faceOffset[0]) orientFaces();
        std::vector<std::int64_t> backsightOrder, shotOrder;
        std::unordered_map<std::int64_t, FaceReadings> backsights, shots;
        std::unordered_map<std::int64_t, FaceReadings> pairs;
        std::unordered_map<std::int64_t, bool> traverse;
        for (const HeldRecord& held : setupRecords_) {
            const Observation& record = *held.record;
            const RecordKind kind = record.recordKind;
            if (kind == RecordKind::Reference) continue;
            const Reading reading = reduce(record, held.index);
            trackFace(pairs[record.pointNumber], record, reading);
            const bool isBacksight = kind == RecordKind::Backsight;
            auto& group = isBacksight ? backsights : shots;
            auto& order = isBacksight ? backsightOrder : shotOrder;
            if (!group.contains(record.pointNumber)) order.push_back(record.pointNumber);
            FaceReadings& faces = group[record.pointNumber];
            if (record.isReversed() && !faces.reversed) faces.reversed = reading;
            if (!record.isReversed() && !faces.direct) faces.direct = reading;
            if (!isBacksight && !traverse.contains(record.pointNumber))
                traverse[record.pointNumber] = kind == RecordKind::Traverse;
        }
        // A free station's readings of the points that tie it are its
        // residuals: they are neither backsight checks nor shots to compare.
        const std::set<std::int64_t>& ties = station_->tiePoints;
        for (const std::int64_t point : backsightOrder) {
            if (!ties.contains(point)) checkBacksight(point, backsights[point]);
        }
        for (const std::int64_t point : shotOrder) {
            if (!ties.contains(point)) {
                shoot(point, shots[point], traverse[point]);
            } else if (traverse[point]) {
                plan_.legs.push_back({station_->point, point, faceMean(shots[point]).record});
            }
        }
        setupRecords_.clear();
        station_.reset();
    }

    // The offset of each face from its last backsight or reference record;
    // a face without one takes the other face's.
    void orientFaces() {
        Station& station = *station_;
        std::array<const HeldRecord*, 2> last{};
        for (const HeldRecord& held : setupRecords_) {
            const RecordKind kind = held.record->recordKind;
            if (kind == RecordKind::Backsight || kind == RecordKind::Reference)
                last[held.record->isReversed() ? 1 : 0] = &held;
        }
        for (std::size_t face = 0; face < 2; ++face) {
            if (last[face] == nullptr) continue;
            const Observation& record = *last[face]->record;
            const Reading reading = reduce(record, last[face]->index);
            station.backsightPoint = record.pointNumber;
            const PlanPoint* target = positioned(record.pointNumber);
            const bool usable = target != nullptr && target->frame == station.frame &&
                                horizontalDistance(station.position, target->position) > 0;
            double azimuth = 0;
            if (usable) {
                azimuth = azimuthDegrees(station.position, target->position);
                frameOriented_[station.frame] = true;
            } else {
                assumeOrientation(last[face]->index, record.pointNumber);
            }
            station.faceOffset[face] = azimuth - reading.horizontal;
        }
        if (!station.faceOffset[0]) station.faceOffset[0] = station.faceOffset[1];
        if (!station.faceOffset[1]) station.faceOffset[1] = station.faceOffset[0];
        if (!station.faceOffset[0] && !setupRecords_.empty()) {
            // Not oriented at all: its first shot points along azimuth 0 of the
            // frame and the readings are taken as they are.
            for (const HeldRecord& held : setupRecords_) {
                if (held.record->recordKind == RecordKind::Reference) continue;
                assumeOrientation(held.index, held.record->pointNumber);
                break;
            }
            station.faceOffset = {0.0, 0.0};
        }
    }

    Oriented oriented(const Reading& reading, bool reversed) const {
        return {normalizedDegrees(station_->faceOffset[reversed ? 1 : 0].value_or(0) +
                                  reading.horizontal),
                reading};
    }

    // One oriented reading for a point: the mean of its first direct and
    // reversed readings, or the one it has.
    std::optional<Oriented> meanOf(const FaceReadings& faces) const {
        if (faces.direct && faces.reversed) {
            const Oriented d = oriented(*faces.direct, false);
            const Oriented r = oriented(*faces.reversed, true);
            Oriented mean = d;
            mean.azimuth = meanAzimuth(d.azimuth, r.azimuth);
            mean.reading.zenith = (d.reading.zenith + r.reading.zenith) / 2.0;
            mean.reading.distance = (d.reading.distance + r.reading.distance) / 2.0;
            mean.reading.targetHeight = (d.reading.targetHeight + r.reading.targetHeight) / 2.0;
            mean.reading.record = std::min(d.reading.record, r.reading.record);
            return mean;
        }
        if (faces.direct) return oriented(*faces.direct, false);
        if (faces.reversed) return oriented(*faces.reversed, true);
        return std::nullopt;
    }

    void checkBacksight(std::int64_t point, const FaceReadings& faces) {
        const Station& station = *station_;
        const std::optional<Oriented> mean = meanOf(faces);
        const PlanPoint* target = positioned(point);
        if (mean && mean->reading.distance > 0 && target == nullptr) {
            // A measured backsight on a point no shot places: the point is
            // placed by it once the job's checks are done, so that nothing is
            // checked against a position that only orients.
            const geometry::SlopeReduction reduced = geometry::reduceSlope(
                mean->reading.distance, mean->reading.zenith, station.instrumentHeight,
                mean->reading.targetHeight);
            sightedOnly_.try_emplace(
                point, SightedPoint{station.frame, geometry::polarPoint(station.position,
                                                                        mean->azimuth,
                                                                        reduced.horizontal,
                                                                        reduced.rise)});
        }
        // An angle-only backsight has nothing to compare.
        if (!mean || mean->reading.distance <= 0 || target == nullptr ||
            target->frame != station.frame ||
            horizontalDistance(station.position, target->position) == 0) {
            return;
        }
        const Reading& reading = mean->reading;
        const geometry::SlopeReduction reduced = geometry::reduceSlope(
            reading.distance, reading.zenith, station.instrumentHeight, reading.targetHeight);
        plan_.backsights.push_back({reading.record, point, reduced.horizontal,
                                    horizontalDistance(station.position, target->position),
                                    reduced.rise,
                                    target->position.elevation - station.position.elevation});
    }

    // The first orientation of a frame on a point without a position is its
    // azimuth 0; any later one is noted as assumed.
    // Orienting again on that same point keeps azimuth 0 without a note.
    // A point with a position in another frame (a setup read it by angle but
    // is not tied to that frame) gives no orientation either: noted always.
    void assumeOrientation(std::size_t index, std::int64_t point) {
        const Station& station = *station_;
        const PlanPoint* elsewhere = positioned(point);
        std::optional<std::size_t> otherFrame;
        if (elsewhere != nullptr && elsewhere->frame != station.frame) otherFrame = elsewhere->frame;
        if (!frameOriented_[station.frame]) {
            frameOriented_[station.frame] = true;
            frameDatum_[station.frame] = point;
            if (otherFrame) plan_.assumedOrientations.push_back({index, point, otherFrame});
        } else if (frameDatum_[station.frame] != point) {
            plan_.assumedOrientations.push_back({index, point, otherFrame});
        }
    }

    bool isTaped(std::int64_t number) const {
        const PointMeaning* point = meaning_.find(number);
        return point != nullptr && point->taped;
    }

    double lengthAt(std::int64_t point) const {
        const auto found = lengthAt_.find(point);
        return found == lengthAt_.end() ? 0 : found->second;
    }

    void shoot(std::int64_t point, const FaceReadings& faces, bool traverse) {
        const Station& station = *station_;
        const std::optional<Oriented> mean = meanOf(faces);
        if (!mean) return;
        const Reading& reading = mean->reading;
        currentRecord_ = reading.record;
        const geometry::SlopeReduction reduced = geometry::reduceSlope(
            reading.distance, reading.zenith, station.instrumentHeight, reading.targetHeight);
        const double horizontal = reduced.horizontal;
        const PlanPosition computed =
            geometry::polarPoint(station.position, mean->azimuth, horizontal, reduced.rise);
        // Along the traverse from the frame's start: a closure on an earlier
        // traverse point measures only the legs after it, since errors before
        // it move the loop rigidly and cannot show in its misclosure.
        const double reached = lengthAt(station.point) + horizontal;

        const PlanPoint* known = positioned(point);
        if (known == nullptr) {
            addPoint(point, computed, station.frame);
            if (traverse) {
                plan_.legs.push_back({station.point, point, reading.record});
                lengthAt_[point] = reached;
            }
            return;
        }
        // Later observations keep the first position and are compared with it.
        if (known->frame != station.frame || positionedBy_[point].setup == station.setupNumber) {
            return;
        }
        const PlanPosition& first = known->position;
        if (traverse && point != station.backsightPoint) {
            plan_.legs.push_back({station.point, point, reading.record});
            plan_.closures.push_back({reading.record, point, computed.north - first.north,
                                      computed.east - first.east,
                                      computed.elevation - first.elevation,
                                      reached - lengthAt(point)});
            return;
        }
        plan_.checkShots.push_back({reading.record, positionedBy_[point].record, point,
                                    horizontalDistance(first, computed),
                                    computed.elevation - first.elevation});
    }

    void trackFace(FaceReadings& faces, const Observation& record, const Reading& reading) {
        const bool reversed = record.isReversed();
        if (reversed && !faces.reversed) faces.reversed = reading;
        if (!reversed && !faces.direct) faces.direct = reading;
        if (faces.reported || !faces.direct || !faces.reversed) return;
        faces.reported = true;
        const Reading& direct = *faces.direct;
        const Reading& other = *faces.reversed;
        plan_.facePairs.push_back(
            {reading.record, reading.record == direct.record ? other.record : direct.record,
             record.pointNumber, signedDegrees(direct.horizontal - other.horizontal) * 3600.0,
             (direct.rawZenith + other.rawZenith - 360.0) / 2.0 * 3600.0,
             direct.distance - other.distance});
    }

    void placeSightedPoints() {
        for (const std::int64_t number : plan_.observedPoints) {
            const auto sighted = sightedOnly_.find(number);
            if (sighted == sightedOnly_.end() || positioned(number) != nullptr) continue;
            addPoint(number, sighted->second.position, sighted->second.frame).sightedOnly = true;
        }
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
        const PointMeaning* point = meaning_.find(number);
        // Only the entry its OBS lines carry takes the tape's values.
        if (point == nullptr || point->entry != i || !point->offset || !point->offset->distance)
            return "no traverse or sideshot record measured it";
        const TapedOffset& offset = *point->offset;
        const PlanPoint* station = offset.station ? positioned(*offset.station) : nullptr;
        const PlanPoint* reference = offset.reference ? positioned(*offset.reference) : nullptr;
        if (station == nullptr || reference == nullptr || station->frame != reference->frame ||
            horizontalDistance(station->position, reference->position) == 0) {
            return "its station and reference entries have no positions";
        }
        const PlanPosition at = geometry::polarPoint(
            station->position,
            azimuthDegrees(station->position, reference->position) + *offset.directionDegrees,
            *offset.distance);
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
    const JobMeaning& meaning_;
    Plan plan_;
    std::optional<Station> station_;
    std::vector<HeldRecord> setupRecords_;  // the current setup's records, in file order
    std::size_t setupCount_ = 0;
    std::vector<bool> frameOriented_;
    std::vector<std::int64_t> frameDatum_;  // the unknown point a frame's azimuth 0 points at
    std::unordered_map<std::int64_t, double> lengthAt_;  // traverse length from the frame's start
    struct Origin {
        std::size_t setup = 0;
        std::size_t record = 0;
    };
    std::unordered_map<std::int64_t, Origin> positionedBy_;  // what gave each point its position
    std::size_t currentRecord_ = 0;
    struct SightedPoint {
        std::size_t frame = 0;
        PlanPosition position;
    };
    std::unordered_map<std::int64_t, SightedPoint> sightedOnly_;  // the first backsight on each
};

}  // namespace

const PlanPoint* Plan::find(std::int64_t number) const {
    const auto found = indexOfPoint.find(number);
    return found == indexOfPoint.end() ? nullptr : &points[found->second];
}

Plan computePlan(const std::vector<Observation>& records, const PointTable& points,
                 const JobMeaning& meaning) {
    PlanBuilder builder(points, meaning);
    for (std::size_t i = 0; i < records.size(); ++i) builder.add(records[i], i);
    return builder.finish();
}

}  // namespace zendro::review
