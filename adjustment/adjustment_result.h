#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "coordinates/job_positions.h"

namespace zendro::adjustment {

enum class ObservationKind {
    Direction,
    Distance,          // horizontal: slope distance x sin zenith
    HeightDifference,  // hi + S cos z - ht
    ControlNorth,      // a weighted control point's known coordinates
    ControlEast,
    ControlElevation,
};

// "direction", "distance", "height difference", "control north", ...
std::string_view observationKindName(ObservationKind kind);

// A control point's pseudo-observation has no HVD record.
inline constexpr std::size_t kNoRecord = std::numeric_limits<std::size_t>::max();

// Below this redundancy number an observation is not checked by the others.
inline constexpr double kMinimumRedundancy = 1e-3;

struct ObservationResidual {
    std::size_t record = kNoRecord;  // index in the HVD records, 0-based
    ObservationKind kind = ObservationKind::Direction;
    std::int64_t from = 0;  // the station; a control point names itself twice
    std::int64_t to = 0;
    // Directions in degrees reduced to the direct face, the rest in the
    // job's distance unit.
    double observed = 0;
    // Adjusted minus observed: seconds for a direction, the unit otherwise.
    double residual = 0;
    // v / (sigma sqrt(r)) with the a priori sigma; 0 where r is below
    // kMinimumRedundancy (not checked).
    double standardized = 0;
    double redundancy = 0;
};

struct Blunder {
    std::size_t residualIndex = 0;  // into AdjustmentResult::residuals
    std::string advice;             // what to re-measure or check
};

// One part of the adjustment (horizontal or vertical) and its chi-square test.
struct PartStatistics {
    int observations = 0;
    int unknowns = 0;
    int degreesOfFreedom = 0;
    double varianceFactor = 1;  // a posteriori, v^T P v / f; 1 without redundancy
    // Bounds of v^T P v = f s0^2 at 95% two-sided; 0 without redundancy.
    double chiSquareLower = 0;
    double chiSquareUpper = 0;
    bool chiSquarePassed = true;
};

struct AdjustmentResult {
    // Frame Adjusted. Precision only for points checked in both parts, from
    // the a priori sigmas, times the part's variance factor when its test
    // failed above 1.
    coordinates::JobPositions positions;
    // The whole adjustment: both parts' v^T P v over their degrees of freedom.
    double varianceFactor = 1;
    int degreesOfFreedom = 0;
    double chiSquareLower = 0;
    double chiSquareUpper = 0;
    bool chiSquarePassed = true;
    PartStatistics horizontal;
    PartStatistics vertical;
    int iterations = 0;
    bool converged = false;
    std::vector<ObservationResidual> residuals;  // horizontal rows, then vertical ones
    std::optional<Blunder> blunder;              // the largest standardized residual over the limit
    double blunderLimit = 0;
    std::vector<std::int64_t> held;           // fixed control, or a free group's first station
    std::vector<std::int64_t> notChecked;     // adjusted but without redundancy in a part
    std::vector<std::int64_t> notDetermined;  // left as they were: taped or too few observations
};

}  // namespace zendro::adjustment
