#pragma once

#include <optional>
#include <vector>

#include "adjustment/compass_traverse.h"

namespace zendro::adjustment {

// What holds a traverse in place: its start and first leg's azimuth, and a
// connecting traverse's known end.
struct TraverseFrame {
    double startNorth = 0, startEast = 0;
    double firstAzimuth = 0;                  // of the first leg, degrees
    std::optional<double> endNorth, endEast;  // a connecting traverse's known end
    std::optional<double> closingAzimuth;     // a connecting traverse's known last azimuth
};

// The compass rule on `traverse` (its stations and closed flag set): balances
// the angles, carries the azimuths and spreads the linear misclosure over the
// legs (horizontal distances, in traverse order) in proportion to their
// length. `angles` (degrees) holds every measured angle; a closed traverse's
// start at its second station and end with the one at the start point,
// closing back onto the first leg; a connecting one's start at its first
// station, turned from the opening control point. Nothing when the legs have
// no length.
std::optional<CompassTraverse> balanceTraverse(CompassTraverse traverse,
                                               const std::vector<double>& angles,
                                               const std::vector<double>& legs,
                                               const TraverseFrame& frame, double misclosureK);

}  // namespace zendro::adjustment
