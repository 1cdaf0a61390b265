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
        LinearUnit unit;
    };
    const Case cases[] = {
        // UTM zone 11N: central meridian 117 W, false easting 500000 m on the
        // equator.
        {"EPSG:32611", 0.0, 500000.0, 0.0, -117.0, LinearUnit::Meter},
        // NAD83 / California zone 3 (ftUS): Lambert conformal conic with its
        // origin at 36 30 N, 120 30 W, false easting 2,000,000 m =
        // 6,561,666.667 ftUS and false northing 500,000 m = 1,640,416.667
        // ftUS (1 ftUS = 1200/3937 m). NAD83 and WGS 84 differ here by about a
        // meter, so the check is to 1e-4 degrees for that one below.
        {"epsg:2227", 500000.0 * 3937.0 / 1200.0, 2000000.0 * 3937.0 / 1200.0, 36.5, -120.5,
         LinearUnit::UsSurveyFoot},
    };
    for (const Case& c : cases) {
        const CoordinateSystem system = CoordinateSystem::fromCode(c.code);
        EXPECT_EQ(system.unit(), c.unit) << c.code;
        const GeographicPosition position = system.toWgs84(c.north, c.east);
        const double tolerance = c.unit == LinearUnit::Meter ? kDegreesTolerance : 1e-4;
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
    const CoordinateSystem feet = CoordinateSystem::fromCode("EPSG:2227");
    const CoordinateSystem meters = CoordinateSystem::fromCode("EPSG:32611");
    EXPECT_NO_THROW(feet.checkJobUnit(false));
    EXPECT_NO_THROW(meters.checkJobUnit(true));
    try {
        feet.checkJobUnit(true);
        FAIL() << "a metric job on a feet system was accepted";
    } catch (const ZendroError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "EPSG:2227: the job is in meters but NAD83 / California zone 3 (ftUS) is in "
                  "US survey feet");
    }
    EXPECT_THROW(meters.checkJobUnit(false), ZendroError);
}

}  // namespace
}  // namespace zendro::coordinates
