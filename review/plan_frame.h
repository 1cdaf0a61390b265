#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "common/survey_geometry.h"
#include "conversion/job_meaning.h"
#include "features/point_table.h"
#include "review/free_station.h"
#include "review/observations.h"

namespace zendro::review {

using PlanPosition = geometry::Position;

// A point of the local plan frame. Positions are in the job's distance unit,
// relative to the station that started the point's frame.
struct PlanPoint {
    std::int64_t number = 0;
    PlanPosition position;
    std::size_t frame = 0;
    bool station = false;  // occupied by a setup
    bool taped = false;    // placed from its taped distance and direction
    // Placed by a measured backsight alone: it orients its setups and is
    // checked against nothing.
    bool sightedOnly = false;
};

// A group of points tied together by observations. The first setup starts
// frame 0; a setup on a point without a position starts another one.
struct PlanFrameInfo {
    std::int64_t startPoint = 0;
    std::size_t startRecord = 0;
    double drawingEastOffset = 0;  // where the sketch draws it, apart from the others
};

struct PlanLeg {
    std::int64_t from = 0;
    std::int64_t to = 0;
    std::size_t record = 0;
};

// Measurements that the check report compares with its limits.
struct ClosureMeasure {
    std::size_t record = 0;
    std::int64_t point = 0;
    double north = 0, east = 0, elevation = 0;  // computed minus known position
    double traverseLength = 0;                  // horizontal, along the frame's legs
};
struct BacksightMeasure {
    std::size_t record = 0;
    std::int64_t point = 0;
    double measuredDistance = 0, knownDistance = 0;
    double measuredRise = 0, knownRise = 0;  // elevation difference station to backsight
};
struct FacePairMeasure {
    std::size_t record = 0;  // the later of the two readings
    std::size_t otherRecord = 0;
    std::int64_t point = 0;
    double horizontalSeconds = 0;  // direct minus reduced reversed reading
    double indexSeconds = 0;       // (Z1 + Z2 - 360) / 2
    double distanceDifference = 0;
};
struct CheckShotMeasure {
    std::size_t record = 0;
    std::size_t firstRecord = 0;
    std::int64_t point = 0;
    double horizontal = 0;  // between the two positions
    double elevation = 0;
};
struct UnplacedTaped {
    std::size_t entry = 0;  // point-feature entry, 1-based
    std::int64_t point = 0;
    const char* reason = "";
};
struct AssumedOrientation {
    std::size_t record = 0;
    std::int64_t point = 0;
    std::optional<std::size_t> otherFrame;  // where the point has its position, if it has one
};

// A setup on a point without a position, tied into a frame by the points it
// read with distances.
struct FreeStationMeasure {
    std::size_t record = 0;  // the setup record
    std::int64_t point = 0;
    std::size_t frame = 0;
    std::vector<std::int64_t> points;  // the points it was tied by, in number order
    std::vector<FreeStationResidual> residuals;
};

struct Plan {
    std::vector<PlanPoint> points;
    std::unordered_map<std::int64_t, std::size_t> indexOfPoint;
    std::vector<PlanFrameInfo> frames;
    std::vector<PlanLeg> legs;
    std::vector<ClosureMeasure> closures;
    std::vector<BacksightMeasure> backsights;
    std::vector<FacePairMeasure> facePairs;
    std::vector<CheckShotMeasure> checkShots;
    std::vector<UnplacedTaped> unplacedTaped;
    std::vector<AssumedOrientation> assumedOrientations;
    std::vector<FreeStationMeasure> freeStations;
    // Every point named by a setup, reference, backsight, traverse or sideshot
    // record, in the order first named, with the HVD record indices naming it.
    std::vector<std::int64_t> observedPoints;
    std::unordered_map<std::int64_t, std::vector<std::size_t>> recordsOfPoint;

    const PlanPoint* find(std::int64_t number) const;
};

// Computes the plan frame from the decoded records in file order. The job's
// meaning tells which points are taped (placed by the OBS file's taped block
// instead of their raw shot) and from where.
Plan computePlan(const std::vector<Observation>& records, const PointTable& points,
                 const JobMeaning& meaning);

}  // namespace zendro::review
