#pragma once

#include "cli/placement_flags.h"
#include "coordinates/job_placement.h"

namespace zendro::cli {

// Reads the control file and looks up the coordinate system the flags name,
// before any job is converted. Throws ZendroError naming the file (and line)
// or the system and the cause; a system in another unit than the jobs' is
// refused.
coordinates::PlacementInput loadPlacement(const PlacementFlags& flags, LengthUnit unit);

}  // namespace zendro::cli
