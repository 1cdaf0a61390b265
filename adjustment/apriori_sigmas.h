#pragma once

#include "common/length_unit.h"

namespace zendro::adjustment {

// What the crew's instrument and setups are good for, one standard deviation
// each. Distances and centring in the job's distance unit.
struct AprioriSigmas {
    double directionSeconds = 0;
    double zenithSeconds = 0;
    double distanceConstant = 0;  // a of a + b ppm
    double distancePpm = 0;       // b
    double instrumentCentring = 0;
    double targetCentring = 0;
};

// A 5" total station on tripods: 5", 5", 0.003 m + 3 ppm, 0.001 m and 0.002 m
// of centring; in feet 0.01 ft + 3 ppm, 0.003 ft and 0.007 ft.
AprioriSigmas defaultSigmas(LengthUnit unit);

}  // namespace zendro::adjustment
