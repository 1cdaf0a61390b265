#pragma once

// Records of hand-made jobs: packed angles (DDD.MMSSs x 100000), heights in
// hundredths and distances in ten-thousandths, as the field files hold them.

#include <string>

#include "review/job_review.h"
#include "tests/support/job_builder.h"

namespace zendro::testing {

inline constexpr std::uint32_t kLevel = 9000000;  // zenith 90 degrees
inline constexpr std::uint16_t kHeight = 150;     // 1.50 for instrument and target
inline constexpr std::uint32_t kHundred = 1000000;

inline std::string setupOn(std::uint16_t point) { return hvdRecord(1, point, kHeight); }
inline std::string backsightTo(std::uint16_t point, std::uint32_t horizontal = 0,
                               std::uint32_t distance = kHundred) {
    return hvdRecord(3, point, kHeight, horizontal, kLevel, distance);
}
inline std::string traverseTo(std::uint16_t point, std::uint32_t horizontal,
                              std::uint32_t distance = kHundred) {
    return hvdRecord(4, point, kHeight, horizontal, kLevel, distance);
}
inline std::string sideshotTo(std::uint16_t point, std::uint32_t horizontal, std::uint32_t distance,
                              std::uint32_t zenith = kLevel) {
    return hvdRecord(5, point, kHeight, horizontal, zenith, distance);
}

// A point-feature file listing each point once, as "CP".
inline std::string pfListing(std::initializer_list<int> points) {
    std::string pf;
    for (const int point : points) pf += std::to_string(point) + ",CP, \r\n";
    return pf;
}

inline review::JobReview reviewOf(
    const std::string& hvd, const std::string& pf = {},
    const review::ReviewLimits& limits = review::defaultLimits(zendro::LengthUnit::UsSurveyFoot)) {
    return review::reviewBytes(hvd, pf, ConversionOptions{}, limits);
}

}  // namespace zendro::testing
