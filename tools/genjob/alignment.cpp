#include "tools/genjob/alignment.h"

#include <cmath>
#include <numbers>

namespace zendro::genjob {

namespace {

// The typical section in feet: a crowned two-lane road with shoulders, a
// foreslope down to the ditch and a backslope up out of it.
constexpr double kEdgeOfPavement = 12;
constexpr double kShoulderEdge = 20;
constexpr double kDitch = 32;
constexpr double kCrownSlope = 0.02;
constexpr double kShoulderSlope = 0.04;
constexpr double kForeslope = 1.0 / 4.0;
constexpr double kBackslope = 1.0 / 3.0;

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

}  // namespace

Alignment::Alignment(Dice& dice, double length, double feetPerUnit) : feetPerUnit_(feetPerUnit) {
    const double toUnit = 1.0 / feetPerUnit;
    Segment next;
    next.north = 10000 * toUnit;
    next.east = 5000 * toUnit;
    next.azimuth = static_cast<double>(dice.between(0, 359)) * kRadiansPerDegree;
    startElevation_ = static_cast<double>(dice.between(200, 900)) * toUnit;
    grade_ = static_cast<double>(dice.between(-300, 300)) / 10000.0;
    // The first tangent reaches back behind chainage 0, where the control sits.
    next.start = -1000 * toUnit;
    bool tangent = true;
    while (next.start < length) {
        if (tangent) {
            next.curvature = 0;
            next.length = static_cast<double>(dice.between(300, 900)) * toUnit +
                          (next.start < 0 ? 1000 * toUnit : 0);
        } else {
            const double radius = static_cast<double>(dice.between(1000, 4000)) * toUnit;
            const double deflection = static_cast<double>(dice.between(12, 40)) * kRadiansPerDegree;
            next.curvature = (dice.percent(50) ? 1.0 : -1.0) / radius;
            next.length = radius * deflection;
        }
        segments_.push_back(next);
        const TruePosition end = at(next.start + next.length, 0);
        next.north = end.north;
        next.east = end.east;
        next.azimuth += next.curvature * next.length;
        next.start += next.length;
        tangent = !tangent;
    }
}

const Alignment::Segment& Alignment::segmentAt(double chainage) const {
    for (const Segment& segment : segments_) {
        if (chainage < segment.start + segment.length) return segment;
    }
    return segments_.back();
}

bool Alignment::inCurve(double chainage) const { return segmentAt(chainage).curvature != 0; }

double Alignment::groundBelowCenterline(double offset) const {
    const double o = std::abs(offset) * feetPerUnit_;
    double drop = 0;
    if (o <= kEdgeOfPavement) {
        drop = kCrownSlope * o;
    } else if (o <= kShoulderEdge) {
        drop = kCrownSlope * kEdgeOfPavement + kShoulderSlope * (o - kEdgeOfPavement);
    } else {
        const double shoulder = kCrownSlope * kEdgeOfPavement +
                                kShoulderSlope * (kShoulderEdge - kEdgeOfPavement);
        if (o <= kDitch) {
            drop = shoulder + kForeslope * (o - kShoulderEdge);
        } else {
            drop = shoulder + kForeslope * (kDitch - kShoulderEdge) - kBackslope * (o - kDitch);
        }
    }
    return drop / feetPerUnit_;
}

TruePosition Alignment::at(double chainage, double offset) const {
    const Segment& segment = segmentAt(chainage);
    const double s = chainage - segment.start;
    const double azimuth = segment.azimuth + segment.curvature * s;
    double north = segment.north;
    double east = segment.east;
    if (segment.curvature == 0) {
        north += s * std::cos(azimuth);
        east += s * std::sin(azimuth);
    } else {
        north += (std::sin(azimuth) - std::sin(segment.azimuth)) / segment.curvature;
        east += (std::cos(segment.azimuth) - std::cos(azimuth)) / segment.curvature;
    }
    // A gentle roll on the grade line, so the profile is not a plane.
    const double profile = startElevation_ + grade_ * chainage +
                           3.0 / feetPerUnit_ * std::sin(chainage * feetPerUnit_ / 700.0);
    return {north - offset * std::sin(azimuth), east + offset * std::cos(azimuth),
            profile - groundBelowCenterline(offset)};
}

}  // namespace zendro::genjob
