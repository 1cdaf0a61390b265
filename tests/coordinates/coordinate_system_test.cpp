// Coordinate systems by EPSG code: the grid to WGS 84 at points whose
// geographic position follows from the projection's definition, and the unit
// check of a job against its system.

#include "coordinates/coordinate_system.h"

#include <gtest/gtest.h>

#include "common/errors.h"

namespace zendro::coordinates {
namespace {

// 1e-9 degrees is about 0.1 mm on the ground.
constexpr double kDegreesTolerance = 1e-9;

TEST(CoordinateSystem, ProjectionOriginsMapToTheirDefiningLatitudeAndLongitude) {
    struct Case {
        const char* code;
        double north, east;           // the grid's false northing and easting
        double latitude, longitude;   // the projection's origin
        LengthUnit unit;
    };
    const Case cases[] = {
        // UTM zone 11N: central meridian 117 W, false easting 500000 m on the
        // equator.
        {"EPSG:32611", 0.0, 500000.0, 0.0, -117.0, LengthUnit::Metre},
        // NAD83 / California zone 3 (ftUS): Lambert conformal conic with its
        // origin at 36 30 N, 120 30 W, false easting 2,000,000 m =
        // 6,561,666.667 ftUS and false northing 500,000 m = 1,640,416.667
        // ftUS (1 ftUS = 1200/3937 m). NAD83 and WGS 84 differ here by about a
        // meter, so the check is to 1e-4 degrees for that one below.
        {"epsg:2227", 500000.0 * 3937.0 / 1200.0, 2000000.0 * 3937.0 / 1200.0, 36.5, -120.5,
         LengthUnit::UsSurveyFoot},
    };
    for (const Case& c : cases) {
        const CoordinateSystem system = CoordinateSystem::fromCode(c.code);
        EXPECT_EQ(system.unit(), c.unit) << c.code;
        const GeographicPosition position = system.toWgs84(c.north, c.east);
        const double tolerance = c.unit == LengthUnit::Metre ? kDegreesTolerance : 1e-4;
        EXPECT_NEAR(position.latitude, c.latitude, tolerance) << c.code;
        EXPECT_NEAR(position.longitude, c.longitude, tolerance) << c.code;
    }
}

TEST(CoordinateSystem, NorthMovesLatitudeAndEastMovesLongitude) {
    // On UTM 11N's central meridian, 1000 m north of the equator is about
    // 1000 / 110574 = 0.009044 degrees of latitude at longitude -117 exactly;
    // 1000 m east on the equator is about 1000 / (0.9996 * 111320) degrees.
    const CoordinateSystem utm = CoordinateSystem::fromCode("EPSG:32611");
    const GeographicPosition north = utm.toWgs84(1000.0, 500000.0);
    EXPECT_NEAR(north.latitude, 1000.0 / 0.9996 / 110574.3, 1e-5);
    EXPECT_NEAR(north.longitude, -117.0, kDegreesTolerance);
    const GeographicPosition east = utm.toWgs84(0.0, 501000.0);
    EXPECT_NEAR(east.latitude, 0.0, kDegreesTolerance);
    EXPECT_NEAR(east.longitude, -117.0 + 1000.0 / (0.9996 * 111319.49), 1e-5);
}

TEST(CoordinateSystem, RefusesCodesItCannotUse) {
    for (const char* code : {"2227", "EPSG:", "EPSG:22x7", "EPSG:999999", "EPSG:4326"}) {
        EXPECT_THROW(CoordinateSystem::fromCode(code), ZendroError) << code;
    }
}

TEST(CoordinateSystem, RefusesAJobWhoseUnitIsNotTheSystems) {
    // California zone 3 is in US survey feet, Michigan North (EPSG:2251) in
    // international feet, UTM 11N in metres: each takes its own unit only.
    struct Case {
        const char* code;
        LengthUnit job;
        const char* refusal;  // empty when the job is taken
    };
    const Case cases[] = {
        {"EPSG:2227", LengthUnit::UsSurveyFoot, ""},
        {"EPSG:2227", LengthUnit::Metre,
         "EPSG:2227: the job is in meters but NAD83 / California zone 3 (ftUS) is in US survey "
         "feet"},
        {"EPSG:2227", LengthUnit::InternationalFoot,
         "EPSG:2227: the job is in international feet but NAD83 / California zone 3 (ftUS) is in "
         "US survey feet"},
        {"EPSG:2251", LengthUnit::InternationalFoot, ""},
        {"EPSG:2251", LengthUnit::UsSurveyFoot,
         "EPSG:2251: the job is in US survey feet but NAD83 / Michigan North (ft) is in "
         "international feet"},
        {"EPSG:32611", LengthUnit::Metre, ""},
        {"EPSG:32611", LengthUnit::UsSurveyFoot,
         "EPSG:32611: the job is in US survey feet but WGS 84 / UTM zone 11N is in meters"},
    };
    for (const Case& c : cases) {
        const CoordinateSystem system = CoordinateSystem::fromCode(c.code);
        std::string refusal;
        try {
            system.checkJobUnit(c.job);
        } catch (const ZendroError& error) {
            refusal = error.what();
        }
        EXPECT_EQ(refusal, c.refusal) << c.code << " " << unitName(c.job);
    }
}

}  // namespace
}  // namespace zendro::coordinates
