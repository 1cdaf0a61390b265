#include "coordinates/local_positions.h"

namespace zendro::coordinates {

JobPositions localPositions(const review::Plan& plan) {
    JobPositions positions;
    positions.frame = PositionFrame::Local;
    positions.points.reserve(plan.points.size());
    for (const review::PlanPoint& point : plan.points) {
        PointPosition& position = positions.points.emplace_back();
        position.number = point.number;
        position.north = point.position.north;
        position.east = point.position.east;
        position.elevation = point.position.elevation;
        position.station = point.station;
        position.taped = point.taped;
        position.group = point.frame;
    }
    positions.reindex();
    return positions;
}

}  // namespace zendro::coordinates
