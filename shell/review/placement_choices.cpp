#include "shell/review/placement_choices.h"

#include "common/errors.h"
#include "common/file_io.h"
#include "coordinates/control_file.h"
#include "coordinates/manual_start.h"

namespace zendro {

coordinates::PlacementInput loadPlacement(const PlacementChoices& choices, bool metric) {
    coordinates::PlacementInput input;
    if (!choices.systemCode.empty()) {
        input.system = coordinates::CoordinateSystem::fromCode(choices.systemCode);
        input.system->checkJobUnit(metric);
    }
    if (!choices.controlPath.empty()) {
        input.control =
            coordinates::readControlFile(choices.controlPath, readFileBytes(choices.controlPath));
        if (input.control.empty())
            throw ZendroError(choices.controlPath, "the file holds no control point");
    }
    if (choices.startByHand) {
        const std::string position =
            choices.startNorth + "," + choices.startEast + "," + choices.startElevation;
        if (!coordinates::startPositionFromText(position))
            throw ZendroError("start by hand",
                              "\"" + position + "\" is not three numbers north, east, elevation");
        input.start = coordinates::manualStartFromText(position, choices.startAzimuth);
        if (!input.start)
            throw ZendroError("start by hand",
                              "the azimuth \"" + choices.startAzimuth + "\" is not DDD.MMSS");
    }
    return input;
}

}  // namespace zendro
