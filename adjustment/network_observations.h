#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "adjustment/adjustment_result.h"
#include "adjustment/apriori_sigmas.h"
#include "adjustment/setup_readings.h"
#include "coordinates/job_positions.h"

namespace zendro::adjustment {

// One reading's part in the adjustment with its a priori sigma.
struct NetworkObservation {
    std::size_t record = 0;
    ObservationKind kind = ObservationKind::Direction;
    std::int64_t from = 0;
    std::int64_t to = 0;
    std::size_t setup = 0;  // index into `setups`: a direction's orientation
    double observed = 0;    // radians for a direction, the distance unit otherwise
    double sigma = 0;
};

struct NetworkObservations {
    std::vector<NetworkObservation> horizontal;  // directions and distances
    std::vector<NetworkObservation> vertical;    // height differences
    std::vector<const SetupReadings*> setups;    // setups with at least one reading kept
};

// The readings between points of one group of `approximate` (the review ties
// no others together). Directions, horizontal distances and height
// differences, each weighted from `sigmas`: a direction by its angle and both
// centrings over the distance, a distance by a + b ppm, the zenith's share and
// both centrings, a height difference by the distance and zenith's shares and
// the instrument and target heights, measured to the centring's accuracy.
NetworkObservations networkObservations(const std::vector<SetupReadings>& setups,
                                        const coordinates::JobPositions& approximate,
                                        const AprioriSigmas& sigmas);

}  // namespace zendro::adjustment
