// Free stations, one case each, against a second fit written plainly here and,
// where the readings are exact, against values worked by hand.
//
// Every case starts with the same frame: setup 1 (records 0-5) at the origin,
// instrument height 1.50, its backsight on 9 (no position) taken as azimuth
// 0, and level sideshots of 100.000 to 2 at reading 90, 3 at 0, 4 at 270 and
// 5 at 180, on targets of 1.00, 2.00, 1.50 and 0.50: 2 at (0, 100) elevation
// +0.50, 3 at (100, 0) -0.50, 4 at (0, -100) 0.00 and 5 at (-100, 0) +1.00
// (north, east). The case's setup follows at record 6; the station stands
// truly at (100, 100), its circle turned 30 degrees: 2 lies at azimuth 180
// (reading 150) and 3 at 270 (reading 240), both 100 away; 4 at azimuth
// atan2(-200, -100) = 243 26 05.8 (reading 213 26 05.8) and 5 at
// atan2(-100, -200) = 206 33 54.2 (reading 176 33 54.2), both 223.6068 away.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <optional>

#include "review/plan_frame.h"
#include "tests/review/review_test_support.h"

namespace zendro {
namespace {

using namespace testing;

struct Known {
    double north, east, elevation;
};
const std::map<std::int64_t, Known> kKnown = {
    {2, {0, 100, 0.5}}, {3, {100, 0, -0.5}}, {4, {0, -100, 0}}, {5, {-100, 0, 1}}};

std::string frameOfSetupOne() {
    return setupOn(1) + backsightTo(9) + hvdRecord(5, 2, 100, 9000000, kLevel, kHundred) +
           hvdRecord(5, 3, 200, 0, kLevel, kHundred) +
           hvdRecord(5, 4, 150, 27000000, kLevel, kHundred) +
           hvdRecord(5, 5, 50, 18000000, kLevel, kHundred);
}

// One record as the HVD file holds it: packed DDD.MMSSs x 100000 angles,
// distance in ten-thousandths, target height in hundredths.
struct Shot {
    int kind;
    std::uint16_t point;
    std::uint32_t horizontal, zenith, distance;
    std::uint16_t target;
};

struct HandWorked {
    double north, east, orientation, elevation;
};

struct FreeStationCase {
    const char* name;
    std::uint16_t station;
    std::vector<Shot> shots;  // after the setup record, from record 7
    std::vector<std::int64_t> ties;
    std::optional<HandWorked> hand;
    std::string report;  // the whole check report
};

constexpr std::uint32_t kReading4 = 21326058;  // 213 26 05.8
constexpr std::uint32_t kReading5 = 17633542;  // 176 33 54.2
constexpr std::uint32_t kFarther = 2236068;    // 223.6068

const FreeStationCase kCases[] = {
    // Level and exact: each reading's height difference is 1.50 less its
    // target, +0.50 to 2 and -0.50 to 3, so the station's elevation is 0.
    // 60, read at 60 and 50 away, lies at azimuth 90: (100, 150). Setup 70
    // reads 2 and 3 by angles alone: it cannot be tied, starts a frame of its
    // own and its orientation on 2 is noted as assumed.
    {"LevelAndExact",
     50,
     {{3, 2, 15000000, kLevel, kHundred, 100},
      {5, 3, 24000000, kLevel, kHundred, 200},
      {5, 60, 6000000, kLevel, 500000, 150},
      {1, 70, 0, 0, 0, 150},
      {3, 2, 0, kLevel, 0, 150},
      {5, 3, 9000000, kLevel, 0, 150}},
     {2, 3},
     HandWorked{100, 100, 30, 0},
     "HVD record 6, point 50: setup on a point without a position, tied into frame 1 as a free "
     "station from points 2, 3; residuals: HVD record 7 to 2 direction 0.0\" distance 0.000 "
     "elevation 0.000; HVD record 8 to 3 direction 0.0\" distance 0.000 elevation 0.000; "
     "farthest 0.000 apart, elevation 0.000; limit 0.050, elevation 0.050: within limit\n"
     "HVD record 10, point 70: setup on a point without a position: separate frame 2 starts "
     "here and is drawn apart; tie it in: read two points with positions, with distances, from "
     "it\n"
     "HVD record 11, setup on 70, point 2: orientation on a point of frame 1, which angles alone do not tie "
     "this setup to, taken as azimuth 0: the setup's shots are drawn turned; measure the "
     "distances to two points with positions\n"
     "HVD record 11, setup on 70, point 2: OBS warning \"Backsight Distance Error\": no distance was "
     "measured (angle only), so the backsight distance is not checked\n"
     "review: 4 findings, 0 over limit, 1 measured checks within limit; points observed once: 4, not checked\n"},
    // Not level: both read at zenith 85 00 00, 100.3820 slope, so each lies
    // 100.3820 sin 85 = 100.0000162 away and 100.3820 cos 85 = 8.7488678
    // above the instrument. On targets of 1.50 (to 2) and 2.50 (to 3) the
    // height differences are 8.7488678 and 7.7488678, and the station's
    // elevation 0.50 - 8.7488678 = -0.50 - 7.7488678 = -8.2488678. The
    // distances 0.0000162 long move it less than 0.0001.
    {"NotLevel",
     51,
     {{3, 2, 15000000, 8500000, 1003820, 150}, {5, 3, 24000000, 8500000, 1003820, 250}},
     {2, 3},
     HandWorked{100, 100, 30, -8.2488678},
     "HVD record 6, point 51: setup on a point without a position, tied into frame 1 as a free "
     "station from points 2, 3; residuals: HVD record 7 to 2 direction 0.0\" distance 0.000 "
     "elevation 0.000; HVD record 8 to 3 direction 0.0\" distance 0.000 elevation 0.000; "
     "farthest 0.000 apart, elevation 0.000; limit 0.050, elevation 0.050: within limit\n"
     "review: 1 findings, 0 over limit, 1 measured checks within limit; points observed once: 3, not checked\n"},
    // Over-determined with imperfect readings: 2 on both faces (150 00 03.0,
    // 100.0040 and 330 00 00.0 / 270, 100.0020: one reading 150 00 01.5,
    // 100.0030, read first at record 7; its face pair is checked as ever; a
    // third reading, 20" and 0.007 off, is not one of its first two faces),
    // 3 2" low and 0.003 short, 4 0.005 long on a target 0.02 high, 5 4" high
    // and 0.002 short. The elevations less the height differences are 0, 0,
    // +0.02 and 0: the station's is 0.005, and the readings give 2, 3 and 5
    // 0.005 high, 4 0.015 low.
    {"OverDeterminedImperfect",
     52,
     {{3, 2, 15000030, kLevel, 1000040, 100},
      {5, 3, 23959580, kLevel, 999970, 200},
      {5, 4, kReading4, kLevel, kFarther + 50, 152},
      {5, 5, kReading5 + 40, kLevel, kFarther - 20, 50},
      {3, 2, 33000000, 27000000, 1000020, 100},
      {3, 2, 15000200, kLevel, 1000100, 100}},
     {2, 3, 4, 5},
     std::nullopt,
     "HVD record 6, point 52: setup on a point without a position, tied into frame 1 as a free "
     "station from points 2, 3, 4, 5; residuals: HVD record 7 to 2 direction -0.5\" distance "
     "0.000 elevation 0.005; HVD record 8 to 3 direction -0.1\" distance -0.002 elevation 0.005; "
     "HVD record 9 to 4 direction -1.3\" distance 0.005 elevation -0.015; HVD record 10 to 5 "
     "direction 1.9\" distance -0.004 elevation 0.005; farthest 0.005 apart, elevation -0.015; "
     "limit 0.050, elevation 0.050: within limit\n"
     "review: 1 findings, 0 over limit, 2 measured checks within limit; points observed once: 1, not checked\n"},
    // One direction misread: 3 read 2' high on a traverse record. The
    // readings are judged once, as the free station's residuals: no
    // backsight check on 2, no closure on 3 and no check shot on 4.
    {"OneMisreadDirection",
     53,
     {{3, 2, 15000000, kLevel, kHundred, 100},
      {4, 3, 24002000, kLevel, kHundred, 200},
      {5, 4, kReading4, kLevel, kFarther, 150}},
     {2, 3, 4},
     std::nullopt,
     "HVD record 6, point 53: setup on a point without a position, tied into frame 1 as a free "
     "station from points 2, 3, 4; residuals: HVD record 7 to 2 direction 5.1\" distance 0.068 "
     "elevation 0.000; HVD record 8 to 3 direction 18.6\" distance -0.017 elevation 0.000; HVD "
     "record 9 to 4 direction -23.7\" distance 0.016 elevation 0.000; farthest 0.068 apart, "
     "elevation 0.000; limit 0.050, elevation 0.050: OVER LIMIT, re-measure the readings to "
     "the points that tie it, with their target heights\n"
     "review: 1 findings, 1 over limit, 0 measured checks within limit; points observed once: 2, not checked\n"},
};

void PrintTo(const FreeStationCase& c, std::ostream* out) { *out << c.name; }

double degreesOf(std::uint32_t packed) {
    return packed / 100000 + (packed / 1000 % 100) / 60.0 + (packed % 1000) / 36000.0;
}

constexpr double kPi = 3.14159265358979323846;
constexpr double kSecondsPerRadian = 180 * 3600 / kPi;

// One tie point's reading reduced to the plane: direction (radians, direct
// face), horizontal distance and height difference.
struct Sighting {
    std::int64_t point;
    double direction, horizontal, rise;
};

// The first direct and first reversed reading of each tie point, their mean.
std::vector<Sighting> sightingsOf(const FreeStationCase& c) {
    std::vector<Sighting> out;
    for (const std::int64_t point : c.ties) {
        std::optional<std::array<double, 4>> faces[2];  // direction, zenith, slope, target
        for (const Shot& s : c.shots) {
            if (s.kind == 1) break;  // the next setup
            if (s.point != point) continue;
            const bool reversed = degreesOf(s.zenith) > 180;
            if (faces[reversed]) continue;
            faces[reversed] = {degreesOf(s.horizontal) - (reversed ? 180 : 0),
                               reversed ? 360 - degreesOf(s.zenith) : degreesOf(s.zenith),
                               s.distance / 10000.0, s.target / 100.0};
        }
        std::array<double, 4> mean = faces[0] ? *faces[0] : *faces[1];
        if (faces[0] && faces[1])
            for (std::size_t i = 0; i < 4; ++i) mean[i] = ((*faces[0])[i] + (*faces[1])[i]) / 2;
        const double zenith = mean[1] * kPi / 180;
        out.push_back({point, mean[0] * kPi / 180, mean[2] * std::sin(zenith),
                       kHeight / 100.0 + mean[2] * std::cos(zenith) - mean[3]});
    }
    return out;
}

struct Fit {
    double north = 0, east = 0, orientation = 0, elevation = 0;
};

double turn(double angle) { return std::remainder(angle, 2 * kPi); }

// Gauss-Newton on north, east and orientation: directions weighed 1/(5")^2,
// distances 1/0.01^2, from where every case's station truly stands, until
// the step is below 1e-12.
Fit secondFit(const std::vector<Sighting>& sightings) {
    Fit x{100, 100, 30 * kPi / 180, 0};
    const double wd = std::pow(kSecondsPerRadian / 5, 2), ws = 1 / (0.01 * 0.01);
    for (int iteration = 0; iteration < 50; ++iteration) {
        double n[3][4] = {};
        for (const Sighting& s : sightings) {
            const Known& p = kKnown.at(s.point);
            const double dn = p.north - x.north, de = p.east - x.east;
            const double q = dn * dn + de * de, l = std::sqrt(q);
            const double rows[2][5] = {
                {de / q, -dn / q, -1, turn(s.direction - (std::atan2(de, dn) - x.orientation)), wd},
                {-dn / l, -de / l, 0, s.horizontal - l, ws}};
            for (const auto& r : rows)
                for (int i = 0; i < 3; ++i)
                    for (int j = 0; j < 4; ++j) n[i][j] += r[4] * r[i] * r[j];
        }
        // Cramer's rule on the 3 x 3 normal equations.
        const auto det = [&](int replaced) {
            double m[3][3];
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) m[i][j] = n[i][j == replaced ? 3 : j];
            return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                   m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                   m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
        };
        const double d = det(-1);
        const double step[3] = {det(0) / d, det(1) / d, det(2) / d};
        x.north += step[0];
        x.east += step[1];
        x.orientation += step[2];
        if (std::abs(step[0]) + std::abs(step[1]) + std::abs(step[2]) < 1e-12) break;
    }
    for (const Sighting& s : sightings) x.elevation += kKnown.at(s.point).elevation - s.rise;
    x.elevation /= static_cast<double>(sightings.size());
    return x;
}

class FreeStations : public ::testing::TestWithParam<FreeStationCase> {};

TEST_P(FreeStations, FitAsTheSecondComputationAndReportOnce) {
    const FreeStationCase& c = GetParam();
    std::string hvd = frameOfSetupOne() + setupOn(c.station);
    std::string pf = pfListing({1, 2, 3, 4, 5, 9, c.station});
    for (const Shot& s : c.shots) {
        hvd += hvdRecord(s.kind, s.point, s.target, s.horizontal, s.zenith, s.distance);
        if (!kKnown.contains(s.point) && s.point != c.station) pf += pfListing({s.point});
    }
    const review::JobReview review = reviewOf(hvd, pf);
    for (const auto& [number, known] : kKnown) {
        const review::PlanPosition& at = review.plan.find(number)->position;
        ASSERT_LT(std::abs(at.north - known.north) + std::abs(at.east - known.east) +
                      std::abs(at.elevation - known.elevation),
                  1e-9)
            << number;
    }
    ASSERT_EQ(review.plan.freeStations.size(), 1u);
    const review::FreeStationMeasure& measure = review.plan.freeStations[0];
    EXPECT_EQ(measure.points, c.ties);
    const review::PlanPoint& station = *review.plan.find(c.station);
    EXPECT_EQ(station.frame, 0u);

    const std::vector<Sighting> sightings = sightingsOf(c);
    const Fit second = secondFit(sightings);
    EXPECT_NEAR(station.position.north, second.north, 1e-7);
    EXPECT_NEAR(station.position.east, second.east, 1e-7);
    EXPECT_NEAR(station.position.elevation, second.elevation, 1e-9);
    if (c.hand) {
        EXPECT_NEAR(station.position.north, c.hand->north, 1e-4);
        EXPECT_NEAR(station.position.east, c.hand->east, 1e-4);
        EXPECT_NEAR(second.orientation * 180 / kPi, c.hand->orientation, 1e-6);
        EXPECT_NEAR(station.position.elevation, c.hand->elevation, 1e-7);
    }
    ASSERT_EQ(measure.residuals.size(), sightings.size());
    for (std::size_t i = 0; i < sightings.size(); ++i) {
        const Sighting& s = sightings[i];
        const review::FreeStationResidual& r = measure.residuals[i];
        const Known& p = kKnown.at(s.point);
        const double dn = p.north - second.north, de = p.east - second.east;
        EXPECT_EQ(r.point, s.point);
        EXPECT_NEAR(r.directionSeconds,
                    turn(s.direction - (std::atan2(de, dn) - second.orientation)) *
                        kSecondsPerRadian,
                    1e-3)
            << s.point;
        EXPECT_NEAR(r.distance, s.horizontal - std::hypot(dn, de), 1e-7) << s.point;
        EXPECT_NEAR(r.elevation, second.elevation + s.rise - p.elevation, 1e-9) << s.point;
    }
    EXPECT_EQ(review.report.text(), c.report);
}

INSTANTIATE_TEST_SUITE_P(Cases, FreeStations, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace zendro
