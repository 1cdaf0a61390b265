#include "cli/placement_input.h"

#include "common/errors.h"
#include "common/file_io.h"
#include "coordinates/control_file.h"

namespace zendro::cli {

coordinates::PlacementInput loadPlacement(const PlacementFlags& flags, bool metric) {
    coordinates::PlacementInput input;
    if (!flags.crsCode.empty()) {
        input.system = coordinates::CoordinateSystem::fromCode(flags.crsCode);
        input.system->checkJobUnit(metric);
    }
    if (!flags.controlPath.empty()) {
        input.control = coordinates::readControlFile(flags.controlPath,
                                                     readFileBytes(flags.controlPath));
        if (input.control.empty())
            throw ZendroError(flags.controlPath, "the file holds no control point");
    }
    if (flags.start && flags.azimuth)
        input.start = coordinates::manualStartFromText(*flags.start, *flags.azimuth);
    return input;
}

}  // namespace zendro::cli
