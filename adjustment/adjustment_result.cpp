#include "adjustment/adjustment_result.h"

namespace zendro::adjustment {

std::string_view observationKindName(ObservationKind kind) {
    switch (kind) {
        case ObservationKind::Direction: return "direction";
        case ObservationKind::Distance: return "distance";
        case ObservationKind::HeightDifference: return "height difference";
        case ObservationKind::ControlNorth: return "control north";
        case ObservationKind::ControlEast: return "control east";
        case ObservationKind::ControlElevation: return "control elevation";
    }
    return "observation";
}

}  // namespace zendro::adjustment
