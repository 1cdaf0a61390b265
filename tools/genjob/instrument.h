#pragma once

#include <cstdint>

#include "tools/genjob/dice.h"
#include "tools/genjob/true_position.h"

// What a total station reads when pointed from one true position to another,
// and the random errors of its stated accuracy.
namespace zendro::genjob {

struct InstrumentAccuracy {
    double angleSeconds = 5;   // standard deviation of a horizontal reading
    double zenithSeconds = 5;  // of a zenith reading
    double distanceConstant = 0.01;  // of a distance: constant part, job units
    double distancePpm = 3;          // and its part per million of the distance
};

// A reading in whole tenths of a second and ten-thousandths of the unit, as
// the HVD record stores it; horizontal is the circle reading, not folded.
struct Reading {
    std::int64_t horizontal = 0;
    std::int64_t zenith = 0;
    std::uint32_t distance = 0;
};

// The exact geometry of one sighting: instrument `instrumentHeight` above
// `from`, target `targetHeight` above `to`.
struct Sighting {
    double azimuthDegrees = 0;
    double zenithDegrees = 0;
    double slopeDistance = 0;
};
Sighting sight(const TruePosition& from, double instrumentHeight, const TruePosition& to,
               double targetHeight);

struct FacePair {
    Reading direct;
    Reading reversed;
};

class Instrument {
  public:
    Instrument(const InstrumentAccuracy& accuracy, Dice& dice) : accuracy_(accuracy), dice_(dice) {}

    // The direct-face reading of `sighting` with the circle's zero at
    // `circleZeroDegrees` of azimuth.
    Reading direct(const Sighting& sighting, double circleZeroDegrees);
    // One pointing read on both faces: each face has its own angle errors, while
    // the two distances share the EDM's constant and scale error and differ only
    // by its repeat noise.
    FacePair bothFaces(const Sighting& sighting, double circleZeroDegrees);

  private:
    std::int64_t tenths(double degrees, double sigmaSeconds);
    double distanceSigma(const Sighting& sighting) const;

    const InstrumentAccuracy& accuracy_;
    Dice& dice_;
};

}  // namespace zendro::genjob
