#pragma once

#include <vector>

#include "tools/genjob/dice.h"
#include "tools/genjob/true_position.h"

// The road a corridor job follows: a centerline of tangents and circular
// curves, a profile, and the cross section a point at an offset sits on.
namespace zendro::genjob {

class Alignment {
  public:
    // A made-up centerline from chainage 0 to at least `length`, in the job's
    // unit; `feetPerUnit` is 1 for a job in feet, 1 / 0.3048 for one in meters.
    Alignment(Dice& dice, double length, double feetPerUnit);

    // The point `offset` right of the centerline (left is negative) at
    // `chainage`, on the ground of the cross section there.
    TruePosition at(double chainage, double offset) const;
    // Whether `chainage` lies between a curve's PC and PT.
    bool inCurve(double chainage) const;

  private:
    struct Segment {
        double start = 0;  // chainage
        double length = 0;
        double north = 0, east = 0;
        double azimuth = 0;    // radians, at the start
        double curvature = 0;  // 1 / radius, positive to the right; 0 on a tangent
    };

    const Segment& segmentAt(double chainage) const;
    double groundBelowCenterline(double offset) const;  // cross section drop, job units

    std::vector<Segment> segments_;
    double feetPerUnit_ = 1;
    double startElevation_ = 0;
    double grade_ = 0;
};

}  // namespace zendro::genjob
