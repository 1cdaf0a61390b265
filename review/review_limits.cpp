#include "review/review_limits.h"

namespace zendro::review {

ReviewLimits defaultLimits(bool metric) {
    ReviewLimits limits;  // feet
    if (!metric) return limits;
    limits.closureElevation = 0.03;
    limits.backsightDistance = 0.015;
    limits.backsightElevation = 0.015;
    limits.faceDistance = 0.01;
    limits.checkShotDistance = 0.015;
    limits.checkShotElevation = 0.015;
    return limits;
}

}  // namespace zendro::review
