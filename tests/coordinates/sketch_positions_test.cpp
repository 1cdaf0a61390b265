// The sketch moved to a job's positions: points, bounds, ellipses and the
// frame named in the title block; a point without a position left out.

#include "coordinates/sketch_positions.h"

#include <gtest/gtest.h>

namespace zendro::coordinates {
namespace {

review::SketchPoint sketchPoint(std::int64_t number, double x, double y) {
    review::SketchPoint point;
    point.number = number;
    point.x = x;
    point.y = y;
    return point;
}

PointPosition position(std::int64_t number, double north, double east, double elevation) {
    PointPosition p;
    p.number = number;
    p.north = north;
    p.east = east;
    p.elevation = elevation;
    return p;
}

TEST(SketchPositions, PointsTakeEastAsXAndNorthAsYWithTheirEllipses) {
    // Local sketch: 1 at the origin, 4 far off at (5000, 5000) in a group
    // the positions lack, 2 at (0, 100), 3 at (100, 100); point 2 still
    // carries an ellipse from an earlier adjustment. Legs 1-2, 2-3 and 3-4,
    // one chain through 1, 4 and 3.
    review::SketchModel sketch;
    sketch.points = {sketchPoint(1, 0, 0), sketchPoint(4, 5000, 5000), sketchPoint(2, 0, 100),
                     sketchPoint(3, 100, 100)};
    sketch.points[2].ellipse = review::SketchEllipse{9, 9, 9};
    sketch.legs = {{0, 2}, {2, 3}, {3, 1}};
    sketch.chains.push_back({"EP1", "EP", {"S1", "S4", "S3"}, {0, 1, 3}});
    sketch.bounds = {0, 0, 5000, 5000};

    // Adjusted: 1 held at N 1000 E 2000; 2 at N 1086.6025 E 2050 (100 at
    // azimuth 30: 100 cos30, 100 sin30) without precision; 3 at N 1036.6025
    // E 2136.6025 (100 at azimuth 120 from 2: -50, +86.6025) with a 95%
    // ellipse 0.0255 by 0.0166 at azimuth 62.2.
    JobPositions adjusted;
    adjusted.frame = PositionFrame::Adjusted;
    adjusted.points = {position(1, 1000, 2000, 50), position(2, 1086.6025, 2050, 51.5),
                       position(3, 1036.6025, 2136.6025, 49.25)};
    adjusted.points[2].precision = PointPrecision{0.0077, 0.0097, 0.0699, 0.0255, 0.0166, 62.2};
    adjusted.reindex();

    placeSketch(sketch, adjusted);

    const std::vector<std::tuple<double, double, double>> expected{
        {2000, 1000, 50}, {2050, 1086.6025, 51.5}, {2136.6025, 1036.6025, 49.25}};
    ASSERT_EQ(sketch.points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(
            std::make_tuple(sketch.points[i].x, sketch.points[i].y, sketch.points[i].elevation),
            expected[i])
            << "point " << sketch.points[i].number;
    }
    // Without 4, the others move up one and its leg goes.
    EXPECT_EQ(sketch.legs, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 1}, {1, 2}}));
    EXPECT_EQ(sketch.chains[0].points, (std::vector<std::size_t>{0, 2}));
    EXPECT_FALSE(sketch.points[0].ellipse.has_value());
    EXPECT_FALSE(sketch.points[1].ellipse.has_value());  // no precision: the old one goes
    ASSERT_TRUE(sketch.points[2].ellipse.has_value());
    EXPECT_EQ(std::make_tuple(sketch.points[2].ellipse->major, sketch.points[2].ellipse->minor,
                              sketch.points[2].ellipse->azimuthDegrees),
              std::make_tuple(0.0255, 0.0166, 62.2));
    // East 2000 to 2136.6025, north 1000 to 1086.6025.
    EXPECT_EQ(std::make_tuple(sketch.bounds.minX, sketch.bounds.minY, sketch.bounds.maxX,
                              sketch.bounds.maxY),
              std::make_tuple(2000.0, 1000.0, 2136.6025, 1086.6025));
    EXPECT_EQ(sketch.title.frame, "adjusted");
}

}  // namespace
}  // namespace zendro::coordinates
