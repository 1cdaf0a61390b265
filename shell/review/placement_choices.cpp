#include "shell/review/placement_choices.h"

#include "common/file_io.h"

namespace zendro {

coordinates::PlacementInput loadPlacement(const PlacementChoices& choices, LengthUnit unit,
                                          bool heightsSuffice) {
    coordinates::PlacementText text{choices.controlPath, std::nullopt, std::nullopt,
                                    choices.systemCode, heightsSuffice};
    if (choices.startByHand) {
        text.startPosition =
            choices.startNorth + "," + choices.startEast + "," + choices.startElevation;
        text.startAzimuth = choices.startAzimuth;
    }
    const std::string controlBytes =
        choices.controlPath.empty() ? std::string() : readFileBytes(choices.controlPath);
    return coordinates::placementInput(text, controlBytes, unit);
}

}  // namespace zendro
