#include "coordinates/sketch_positions.h"

#include <algorithm>
#include <limits>

namespace zendro::coordinates {
namespace {

constexpr std::size_t kDropped = std::numeric_limits<std::size_t>::max();

// Keeps the points `keep` marks, renumbering the legs and chains that join
// them; a leg to a point left out goes with it.
void keepPoints(review::SketchModel& sketch, const std::vector<bool>& keep) {
    std::vector<std::size_t> moved(sketch.points.size(), kDropped);
    std::vector<review::SketchPoint> kept;
    for (std::size_t i = 0; i < sketch.points.size(); ++i) {
        if (!keep[i]) continue;
        moved[i] = kept.size();
        kept.push_back(std::move(sketch.points[i]));
    }
    sketch.points = std::move(kept);
    std::vector<std::pair<std::size_t, std::size_t>> legs;
    for (const auto& [from, to] : sketch.legs)
        if (moved[from] != kDropped && moved[to] != kDropped)
            legs.emplace_back(moved[from], moved[to]);
    sketch.legs = std::move(legs);
    for (review::SketchChain& chain : sketch.chains) {
        std::vector<std::size_t> points;
        for (const std::size_t i : chain.points)
            if (moved[i] != kDropped) points.push_back(moved[i]);
        chain.points = std::move(points);
    }
}

}  // namespace

void placeSketch(review::SketchModel& sketch, const JobPositions& positions) {
    std::vector<bool> keep(sketch.points.size(), false);
    for (std::size_t i = 0; i < sketch.points.size(); ++i) {
        review::SketchPoint& point = sketch.points[i];
        point.ellipse.reset();
        const PointPosition* placed = positions.find(point.number);
        if (placed == nullptr) continue;
        keep[i] = true;
        point.x = placed->east;
        point.y = placed->north;
        point.elevation = placed->elevation;
        if (placed->precision)
            point.ellipse = review::SketchEllipse{placed->precision->ellipseMajor,
                                                  placed->precision->ellipseMinor,
                                                  placed->precision->ellipseAzimuthDegrees};
    }
    keepPoints(sketch, keep);
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
