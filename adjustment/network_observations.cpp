#include "adjustment/network_observations.h"

#include <cmath>
#include <numbers>

#include "common/survey_geometry.h"

namespace zendro::adjustment {
namespace {

using geometry::kRadiansPerDegree;
using geometry::kRadiansPerSecond;

struct Weights {
    double direction = 0;  // radians
    double zenith = 0;
    double centring = 0;  // instrument and target together, squared
    const AprioriSigmas& sigmas;

    double directionSigma(double horizontal) const {
        return std::sqrt(direction * direction + centring / (horizontal * horizontal));
    }
    double slopeSigmaSquared(double slope) const {
        const double ppm = sigmas.distancePpm * 1e-6 * slope;
        return sigmas.distanceConstant * sigmas.distanceConstant + ppm * ppm;
    }
    double distanceSigma(double slope, double zenithRadians) const {
        const double along = std::sin(zenithRadians);
        const double across = slope * std::cos(zenithRadians) * zenith;
        return std::sqrt(along * along * slopeSigmaSquared(slope) + across * across + centring);
    }
    double heightSigma(double slope, double zenithRadians) const {
        const double along = std::cos(zenithRadians);
        const double across = slope * std::sin(zenithRadians) * zenith;
        return std::sqrt(along * along * slopeSigmaSquared(slope) + across * across + centring);
    }
};

}  // namespace

NetworkObservations networkObservations(const std::vector<SetupReadings>& setups,
                                        const coordinates::JobPositions& approximate,
                                        const AprioriSigmas& sigmas) {
    const Weights weights{sigmas.directionSeconds * kRadiansPerSecond,
                          sigmas.zenithSeconds * kRadiansPerSecond,
                          sigmas.instrumentCentring * sigmas.instrumentCentring +
                              sigmas.targetCentring * sigmas.targetCentring,
                          sigmas};
    NetworkObservations network;
    std::size_t readings = 0;
    for (const SetupReadings& setup : setups) readings += setup.readings.size();
    network.horizontal.reserve(2 * readings);
    network.vertical.reserve(readings);
    for (const SetupReadings& setup : setups) {
        const coordinates::PointPosition* station = approximate.find(setup.station);
        if (station == nullptr || station->taped) continue;
        const std::size_t index = network.setups.size();
        bool used = false;
        for (const SetupReading& reading : setup.readings) {
            const coordinates::PointPosition* target = approximate.find(reading.point);
            if (target == nullptr || target->taped || target->group != station->group) continue;
            const double known =
                std::hypot(target->north - station->north, target->east - station->east);
            const double zenith = reading.zenithDegrees * kRadiansPerDegree;
            const double horizontal = reading.slopeDistance > 0 ? reading.horizontalDistance() : known;
            if (horizontal <= 0 || known <= 0) continue;
            used = true;
            network.horizontal.push_back({reading.record, ObservationKind::Direction,
                                          setup.station, reading.point, index,
                                          reading.horizontalDegrees * kRadiansPerDegree,
                                          weights.directionSigma(horizontal)});
            if (reading.slopeDistance <= 0) continue;
            network.horizontal.push_back({reading.record, ObservationKind::Distance, setup.station,
                                          reading.point, index, horizontal,
                                          weights.distanceSigma(reading.slopeDistance, zenith)});
            network.vertical.push_back({reading.record, ObservationKind::HeightDifference,
                                        setup.station, reading.point, index,
                                        reading.heightDifference(setup.instrumentHeight),
                                        weights.heightSigma(reading.slopeDistance, zenith)});
        }
        if (used) network.setups.push_back(&setup);
    }
    return network;
}

}  // namespace zendro::adjustment
