#pragma once

// A traverse between two pairs of held control points whose adjustment
// statistics are worked by hand: the chi-square tests' cases and the command
// line's adjustment flags read it.
//
// Control 101 (1000, 900), 1 (1000, 1000), 4 (1000, 1300) and 104 (1000,
// 1400), north and east, all at elevation 0. The crew runs 1 - 2 - 3 - 4 due
// east: each setup (instrument 1.50) reads the station behind it at 0 and the
// one ahead at 180, level, 100 away, on targets of 1.50, so every leg is
// measured from both ends. Three errors are planted: the first leg read
// `firstLegError` long (ten-thousandths), the angle at 2 `angleErrorAtTwo`
// (packed, 10 = 1") too wide, and the last leg's target `targetLow`
// hundredths low from 3, its height difference as much too high (on a leg
// read 100 long from both ends, so every height difference weighs the same).
//
// By hand, with sd, sdir and sz the a priori deviations of a distance, a
// direction and a zenith angle, and no centring:
// - Horizontal: 8 directions and 8 distances; unknowns 2 and 3 (4) and four
//   orientations: f = 8. Along the line the legs x1, x2, x3 add up to the 300
//   between the held ends: with the first one read e long the residuals are
//   -2e/3 and e/3 on the first leg's readings and -e/6 on the four others,
//   v^T P v = (4/9 + 1/9 + 4/36) e^2 / sd^2 = 2 e^2 / (3 sd^2). Across it the
//   offsets u2, u3 of 2 and 3 (over the 100 legs) make the deflections u2,
//   u3 - 2 u2, u2 - 2 u3 and u3 at 1 to 4; with a on the one at 2 the fit is
//   u2 = -2a/5, u3 = -a/10, residuals -0.4a, -0.3a, -0.2a, -0.1a, and each
//   angle is two directions: v^T P v = 0.3 a^2 / (2 sdir^2).
// - Vertical: 8 height differences, unknowns 2 and 3: f = 6; as the legs,
//   v^T P v = 2 h^2 / (3 sh^2) with sh = 100 sz (radians) for a level sight.

#include <string>

#include "tests/support/job_builder.h"

namespace zendro::testing {

inline std::string heldTraverseHvd(std::uint32_t firstLegError, std::uint32_t angleErrorAtTwo,
                                   std::uint16_t targetLow) {
    // Level (zenith 90), 100.0000 away; the one ahead at 180.
    const auto read = [](RecordKind kind, std::uint16_t point, std::uint32_t angle,
                         std::uint32_t distanceError = 0, std::uint16_t target = 150) {
        return hvdRecord(static_cast<int>(kind), point, target, angle, 9000000,
                         1000000 + distanceError);
    };
    const auto setup = [](std::uint16_t at) {
        return hvdRecord(static_cast<int>(RecordKind::Setup), at, 150);
    };
    using enum RecordKind;
    return setup(1) + read(Backsight, 101, 0) +
           read(Traverse, 2, 18000000, firstLegError) +  //
           setup(2) + read(Backsight, 1, 0) + read(Traverse, 3, 18000000 + angleErrorAtTwo) +
           setup(3) + read(Backsight, 2, 0) +
           read(Traverse, 4, 18000000, 0, static_cast<std::uint16_t>(150 - targetLow)) +
           setup(4) + read(Backsight, 3, 0) + read(Traverse, 104, 18000000);
}

inline constexpr const char* kHeldTraverseControl =
    "101,1000,900,0\n1,1000,1000,0\n4,1000,1300,0\n104,1000,1400,0\n";

}  // namespace zendro::testing
