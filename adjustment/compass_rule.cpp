#include "adjustment/compass_rule.h"

#include <cmath>

#include "common/survey_geometry.h"

namespace zendro::adjustment {

std::optional<CompassTraverse> balanceTraverse(CompassTraverse traverse,
                                               const std::vector<double>& angles,
                                               const std::vector<double>& legs,
                                               const TraverseFrame& frame, double misclosureK) {
    const int n = static_cast<int>(angles.size());
    traverse.angles = n;
    // Azimuths of the legs as measured; the first is fixed by the frame.
    // A closed traverse's angles start at its second station, a connecting
    // one's at its first (turned from the opening control point).
    const std::size_t skipped = traverse.closed ? 1 : 0;
    std::vector<double> azimuths{frame.firstAzimuth};
    for (std::size_t i = 1; i < legs.size(); ++i) {
        azimuths.push_back(azimuths.back() + 180.0 + angles[i - skipped]);
    }
    const double reached = azimuths.back() + 180.0 + angles.back();
    const double known = traverse.closed ? frame.firstAzimuth : *frame.closingAzimuth;
    const double misclosure = geometry::signedDegrees(reached - known);
    traverse.angularMisclosureSeconds = misclosure * geometry::kSecondsPerDegree;
    traverse.angularLimitSeconds = misclosureK * std::sqrt(static_cast<double>(n));
    traverse.angularWithinLimit =
        std::abs(traverse.angularMisclosureSeconds) <= traverse.angularLimitSeconds;
    // Leg i's azimuth follows i balanced angles after the fixed first leg (a
    // connecting traverse's first leg already follows one).
    const double share = misclosure / n;
    std::vector<double> dn, de;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const double turnedAngles = static_cast<double>(i) + (traverse.closed ? 0.0 : 1.0);
        const double azimuth = (azimuths[i] - turnedAngles * share) * geometry::kRadiansPerDegree;
        dn.push_back(legs[i] * std::cos(azimuth));
        de.push_back(legs[i] * std::sin(azimuth));
        traverse.length += legs[i];
    }
    double north = frame.startNorth, east = frame.startEast;
    for (std::size_t i = 0; i < legs.size(); ++i) north += dn[i], east += de[i];
    traverse.misclosureNorth = north - frame.endNorth.value_or(frame.startNorth);
    traverse.misclosureEast = east - frame.endEast.value_or(frame.startEast);
    const double linear = std::hypot(traverse.misclosureNorth, traverse.misclosureEast);
    traverse.precisionRatio = linear > 0 ? traverse.length / linear : 0;
    if (traverse.length <= 0) return std::nullopt;

    north = frame.startNorth;
    east = frame.startEast;
    double along = 0;
    traverse.adjusted.push_back({traverse.stations.front(), north, east});
    const std::size_t last = traverse.closed ? legs.size() - 1 : legs.size();
    for (std::size_t i = 0; i < last; ++i) {
        along += legs[i];
        north += dn[i];
        east += de[i];
        const double part = along / traverse.length;
        traverse.adjusted.push_back({traverse.stations[i + 1],
                                     north - part * traverse.misclosureNorth,
                                     east - part * traverse.misclosureEast});
    }
    return traverse;
}

}  // namespace zendro::adjustment
