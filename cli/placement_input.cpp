#include "cli/placement_input.h"

#include "common/file_io.h"

namespace zendro::cli {

coordinates::PlacementInput loadPlacement(const PlacementFlags& flags, LengthUnit unit) {
    const std::string controlBytes =
        flags.controlPath.empty() ? std::string() : readFileBytes(flags.controlPath);
    return coordinates::placementInput(
        {flags.controlPath, flags.start, flags.azimuth, flags.crsCode}, controlBytes, unit);
}

}  // namespace zendro::cli
