#pragma once

#include <cstdint>

#include "features/point_table.h"

namespace zendro {

// Calls `onMatch(index, entry)` for every entry from 1 to pointCount() whose
// name is `pointNumber`, in ascending order. Every match is visited: when
// several entries match, the last one decides.
template <typename OnMatch>
void forEachMatch(const PointTable& points, std::int64_t pointNumber, OnMatch&& onMatch) {
    for (const std::size_t i : points.indicesOf(pointNumber)) onMatch(i, points.at(i));
}

}  // namespace zendro
