#pragma once

// Hand-made jobs for the adjustment: readings as the HVD file holds them
// (packed DDD.MMSSs x 100000 angles, heights in hundredths, distances in
// ten-thousandths), reviewed into records, points and local positions.

#include <string>
#include <vector>

#include "adjustment/adjustment_input.h"
#include "coordinates/local_positions.h"
#include "review/job_review.h"
#include "tests/support/job_builder.h"

namespace zendro::testing {

inline constexpr std::uint32_t kLevel = 9000000;     // zenith 90 00 00
inline constexpr std::uint32_t kReversed = 27000000;  // zenith 270 00 00
inline constexpr std::uint16_t kHeight = 150;        // 1.50 for instrument and target
inline constexpr std::uint32_t kHundred = 1000000;   // 100.0000
inline constexpr std::uint32_t kDiagonal = 1414214;  // 141.4214, 100 sqrt 2 rounded

inline std::string setupOn(std::uint16_t point) { return hvdRecord(1, point, kHeight); }
inline std::string reading(RecordKind kind, std::uint16_t point, std::uint32_t horizontal,
                           std::uint32_t distance, std::uint32_t zenith = kLevel) {
    return hvdRecord(static_cast<int>(kind), point, kHeight, horizontal, zenith, distance);
}

// A reviewed job with its local positions, kept together so the input's
// pointers stay valid.
struct ReviewedJob {
    review::JobReview review;
    coordinates::JobPositions local;

    explicit ReviewedJob(const std::string& hvd, bool metric = true)
        : review(review::reviewBytes(hvd, {}, ConversionOptions{}, review::defaultLimits(zendro::jobUnit(metric)))),
          local(coordinates::localPositions(review.plan)) {}

    adjustment::AdjustmentInput input(bool metric = true) const {
        adjustment::AdjustmentInput in;
        in.records = &review.records;
        in.points = &review.points;
        in.approximate = &local;
        in.sigmas = adjustment::defaultSigmas(zendro::jobUnit(metric));
        in.limits = review::defaultLimits(zendro::jobUnit(metric));
        in.unit = zendro::jobUnit(metric);
        return in;
    }
};

inline coordinates::ControlPoint control(std::int64_t number, double north, double east,
                                         coordinates::ControlHold hold = coordinates::ControlHold::Fixed,
                                         double sigma = 0) {
    coordinates::ControlPoint point;
    point.number = number;
    point.north = north;
    point.east = east;
    point.hold = hold;
    if (hold == coordinates::ControlHold::Weighted) point.sigmaHorizontal = sigma;
    return point;
}

}  // namespace zendro::testing
