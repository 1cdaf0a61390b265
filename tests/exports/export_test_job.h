#pragma once

// A hand-made job of known geometry for the export tests, and the whole
// ExportJob around it.
//
// Setup on 1 (instrument 1.50), backsight to 2 at circle 0 (it orients the
// setup; its point is placed by it, N 100 E 0 Z 0, after every other), a
// traverse shot to 3 at circle 90 and sideshots
// to 4 at 180 and 5 at 270, each 100.0000 away; a sideshot to 6 at circle 45,
// 141.4214 away. Every shot is level (zenith 90); the target is 1.50 high but
// 0.50 on 4 and 2.50 on 5. The local frame puts the first backsight at
// azimuth 0 with 1 at 0,0,0; elevation = 1.50 (instrument) - target:
//   3: N 0, E 100, Z 0    4: N -100, E 0, Z 1    5: N 0, E -100, Z -1
//   6: N = E = 141.4214 x cos 45 = 100.00002 (written 100.000), Z 0
// Then a setup on 3, backsight to 1 (azimuth 270 at circle 0) and a sideshot
// to 4 (target 0.50) at circle 315 (azimuth 270 + 315 - 360 = 225), 141.4214
// away: a check shot of 4, 0.00002 off.
// The point-feature file starts an EP chain at 3 through 4 to 5 ("-EP") and
// a CL chain at 6 closed on itself ("+CL-") through 1 and 3. Points 1 and 3
// have two entries each: the later one describes them, as in the OBS lines,
// so 3 is "CL" and 1 is the last entry, whose description holds a quote and a
// semicolon; 2's holds a semicolon alone, which only the delimiter's quoting
// rule quotes. 5's comment holds a Latin-1 degree sign (0xB0).

#include <memory>
#include <string>

#include "coordinates/local_positions.h"
#include "exports/export_job.h"
#include "tests/review/review_test_support.h"

namespace zendro::testing {

inline std::string exportTestHvd() {
    constexpr std::uint32_t kDiagonal = 1414214;  // 141.4214
    constexpr int kSideshot = 5;
    return setupOn(1) + backsightTo(2) + traverseTo(3, 9000000) +
           hvdRecord(kSideshot, 4, 50, 18000000, kLevel, kHundred) +
           hvdRecord(kSideshot, 5, 250, 27000000, kLevel, kHundred) +
           sideshotTo(6, 4500000, kDiagonal) + setupOn(3) + backsightTo(1) +
           hvdRecord(kSideshot, 4, 50, 31500000, kLevel, kDiagonal);
}

inline std::string exportTestPf() {
    return "3,+EP, \r\n4,EP,curb face\r\n5,-EP,45\xB0 bend\r\n6,+CL-, \r\n1,CL, \r\n3,CL, \r\n"
           "1,CP \"A\";B,iron pin\r\n2,IRON;PIN, \r\n";
}

// Owns what an ExportJob borrows.
struct ExportFixtureJob {
    explicit ExportFixtureJob(bool metric = false) {
        options.unit = zendro::jobUnit(metric);
        review = review::reviewBytes(exportTestHvd(), exportTestPf(), options,
                                     review::defaultLimits(zendro::jobUnit(metric)));
        positions = coordinates::localPositions(review.plan);
    }

    exports::ExportJob job(const coordinates::CoordinateSystem* system = nullptr) const {
        return exports::ExportJob{"T-1", &options, &review, &positions, system};
    }

    ConversionOptions options;
    review::JobReview review;
    coordinates::JobPositions positions;
};

}  // namespace zendro::testing
