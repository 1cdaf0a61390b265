#pragma once

#include <string>

#include "coordinates/job_placement.h"

namespace zendro {

// What the Review page's control fields hold, as typed: kept by the page for
// the session and read into a placement only when applied.
struct PlacementChoices {
    std::string controlPath;  // empty: no control file
    bool startByHand = false;
    std::string startNorth, startEast, startElevation;
    std::string startAzimuth;  // DDD.MMSS
    std::string systemCode;    // "EPSG:2227"; empty: none

    bool operator==(const PlacementChoices&) const = default;
};

// Reads the control file, the start and the system as the command line does
// (the system first, checked against the job's unit). Throws ZendroError
// naming the control file and line, the system, or the start field at fault;
// nothing is taken from a choice that fails.
// With level runs a control file of benchmarks alone is enough.
coordinates::PlacementInput loadPlacement(const PlacementChoices& choices, LengthUnit unit,
                                          bool heightsSuffice = false);

}  // namespace zendro
