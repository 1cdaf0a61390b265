#pragma once

#include <cstdint>
#include <string_view>

#include "conversion/run_context.h"
#include "features/point_table.h"

namespace zendro {

// Calls `onMatch(index, entry)` for every entry from 1 to pointCount() whose
// name is `pointNumber`, in ascending order. Every match is visited: when
// several entries match, the last one decides.
template <typename OnMatch>
void forEachMatch(const PointTable& points, std::int64_t pointNumber, OnMatch&& onMatch) {
    for (const std::size_t i : points.indicesOf(pointNumber)) onMatch(i, points.at(i));
}

// The warning for a point observed without an entry, once per point.
void warnOfMissingEntry(RunContext& run, std::int64_t pointNumber, std::string_view description,
                        std::int64_t describedBy);

// Looks up the record's point as forEachMatch does. `description` is the text
// the lookup sets and the lines carry, `describedBy` the point whose entry set
// it (0 before any). A point without an entry keeps what the lookup before it
// left: the bytes stay as they are, and the first time for each point a
// warning says which description its lines carry.
template <typename OnMatch>
void lookUpPoint(RunContext& run, std::int64_t pointNumber, const std::string& description,
                 std::int64_t& describedBy, OnMatch&& onMatch) {
    bool found = false;
    forEachMatch(run.points, pointNumber, [&](std::size_t i, const PointEntry& entry) {
        found = true;
        onMatch(i, entry);
    });
    if (found) {
        describedBy = pointNumber;
        return;
    }
    warnOfMissingEntry(run, pointNumber, description, describedBy);
}

}  // namespace zendro
