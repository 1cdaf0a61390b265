#pragma once

#include <cstdint>

#include "features/point_table.h"

namespace zendro {

// Calls `onMatch(index, entry)` for every entry from 1 to pointCount() whose
// name is `pointNumber`, in ascending order. The scan never stops early: when
// several entries match, the last one decides.
template <typename OnMatch>
void forEachMatch(const PointTable& points, std::int64_t pointNumber, OnMatch&& onMatch) {
    for (std::size_t i = 1; i <= points.pointCount(); ++i) {
        const PointEntry& entry = points.at(i);
        if (entry.name.matches(pointNumber)) onMatch(i, entry);
    }
}

}  // namespace zendro
