#include "coordinates/job_positions.h"

namespace zendro::coordinates {

std::string_view frameName(PositionFrame frame) {
    switch (frame) {
        case PositionFrame::Local: return "local";
        case PositionFrame::TiedToControl: return "tied to control";
        case PositionFrame::Adjusted: return "adjusted";
    }
    return "local";
}

const PointPosition* JobPositions::find(std::int64_t number) const {
    const auto found = indexOfPoint_.find(number);
    return found == indexOfPoint_.end() ? nullptr : &points[found->second];
}

void JobPositions::reindex() {
    indexOfPoint_.clear();
    indexOfPoint_.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) indexOfPoint_.emplace(points[i].number, i);
}

}  // namespace zendro::coordinates
