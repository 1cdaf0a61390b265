#include "coordinates/sketch_positions.h"

#include <algorithm>

namespace zendro::coordinates {

void placeSketch(review::SketchModel& sketch, const JobPositions& positions) {
    for (review::SketchPoint& point : sketch.points) {
        point.ellipse.reset();
        const PointPosition* placed = positions.find(point.number);
        if (placed == nullptr) continue;
        point.x = placed->east;
        point.y = placed->north;
        point.elevation = placed->elevation;
        if (placed->precision)
            point.ellipse = review::SketchEllipse{placed->precision->ellipseMajor,
                                                  placed->precision->ellipseMinor,
                                                  placed->precision->ellipseAzimuthDegrees};
    }
    sketch.bounds = {};
    if (!sketch.points.empty()) {
        const review::SketchPoint& first = sketch.points.front();
        sketch.bounds = {first.x, first.y, first.x, first.y};
        for (const review::SketchPoint& p : sketch.points) {
            sketch.bounds.minX = std::min(sketch.bounds.minX, p.x);
            sketch.bounds.maxX = std::max(sketch.bounds.maxX, p.x);
            sketch.bounds.minY = std::min(sketch.bounds.minY, p.y);
            sketch.bounds.maxY = std::max(sketch.bounds.maxY, p.y);
        }
    }
    sketch.title.frame = std::string(frameName(positions.frame));
}

}  // namespace zendro::coordinates
