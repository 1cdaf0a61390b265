#include "tools/genjob/instrument.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/genjob/field_encoding.h"

namespace zendro::genjob {

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
// The EDM's scatter between two measurements of one pointing, as a share of
// its stated accuracy.
constexpr double kRepeatShare = 0.25;

std::uint32_t tenThousandths(double distance) {
    return static_cast<std::uint32_t>(std::llround(std::max(0.0, distance) * 10000.0));
}

}  // namespace

Sighting sight(const TruePosition& from, double instrumentHeight, const TruePosition& to,
               double targetHeight) {
    const double north = to.north - from.north;
    const double east = to.east - from.east;
    const double horizontal = std::hypot(north, east);
    const double rise = (to.elevation + targetHeight) - (from.elevation + instrumentHeight);
    double azimuth = std::atan2(east, north) * kDegreesPerRadian;
    if (azimuth < 0) azimuth += 360.0;
    return {azimuth, std::atan2(horizontal, rise) * kDegreesPerRadian,
            std::hypot(horizontal, rise)};
}

std::int64_t Instrument::tenths(double degrees, double sigmaSeconds) {
    return std::llround(degrees * static_cast<double>(kTenthsPerDegree) +
                        dice_.normal(sigmaSeconds) * 10.0);
}

double Instrument::distanceSigma(const Sighting& sighting) const {
    return accuracy_.distanceConstant + accuracy_.distancePpm * 1e-6 * sighting.slopeDistance;
}

Reading Instrument::direct(const Sighting& sighting, double circleZeroDegrees) {
    return {tenths(sighting.azimuthDegrees - circleZeroDegrees, accuracy_.angleSeconds),
            tenths(sighting.zenithDegrees, accuracy_.zenithSeconds),
            tenThousandths(sighting.slopeDistance + dice_.normal(distanceSigma(sighting)))};
}

FacePair Instrument::bothFaces(const Sighting& sighting, double circleZeroDegrees) {
    const double sigma = distanceSigma(sighting);
    const double shared = sighting.slopeDistance + dice_.normal(sigma);
    const auto face = [&](double offsetDegrees, double zenithDegrees) {
        return Reading{
            tenths(sighting.azimuthDegrees - circleZeroDegrees + offsetDegrees, accuracy_.angleSeconds),
            tenths(zenithDegrees, accuracy_.zenithSeconds),
            tenThousandths(shared + dice_.normal(sigma * kRepeatShare))};
    };
    const Reading direct = face(0, sighting.zenithDegrees);
    return {direct, face(180.0, 360.0 - sighting.zenithDegrees)};
}

}  // namespace zendro::genjob
