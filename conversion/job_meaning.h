#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "conversion/observation.h"
#include "features/chain_list.h"
#include "features/point_table.h"

namespace zendro {

// What the OBS file says about a job's points and chains, decided once from
// the records and the point-feature file, so that the review, the sketch, the
// adjustment and every export tell the same story as the OBS lines.

// A taped offset as the OBS file's taped block writes it: measured along a
// direction right of the reference entry (entry i - 2), from the station
// entry (entry i - 1).
struct TapedOffset {
    std::size_t stationEntry = 0;
    std::size_t referenceEntry = 0;
    std::optional<std::int64_t> station;    // the points they stand on, when numbered
    std::optional<std::int64_t> reference;
    // The last traverse or sideshot record to the point holds the tape's
    // distance and, in its whole degrees, the direction: none when no record
    // measured it.
    std::optional<double> distance;
    std::optional<int> directionDegrees;  // 90, 180 or 270 right of the reference
};

// One point the records name.
struct PointMeaning {
    std::int64_t number = 0;
    // The point-feature entry whose description and comment its OBS lines
    // carry: of several entries of one number the last, as the lookup takes
    // it; 0 when it has none (its lines then repeat another point's text).
    std::size_t entry = 0;
    // Further entries of the same number, which its lines do not carry.
    std::vector<std::size_t> otherEntries;
    // The second feature's entry directly after `entry`, when there is one.
    std::optional<std::size_t> secondFeatureEntry;
    bool taped = false;  // its entry says TAPE: the OBS marks its raw lines "D"
    std::optional<TapedOffset> offset;  // a taped entry with entries before it
};

// One place on a chain, as the chain section lists it.
struct ChainVertex {
    std::size_t entry = 0;  // 1-based point-feature entry
    std::string text;       // as the chain section writes it: prefix and name
    // The point it stands on: a second feature (numbered above 100000)
    // stands on its point. None for an entry named by text.
    std::optional<std::int64_t> point;
};

// One chain of the OBS file's chain section.
struct JobChain {
    std::string name;  // as written after "F 00 ", run suffix included
    std::string feature;
    std::vector<ChainVertex> points;  // the start and its points, in the section's order
    std::optional<ChainVertex> end;   // the start again (closed) or its end point

    bool closed() const { return end && !points.empty() && end->text == points.front().text; }
    // Its line: the points, then the end.
    std::vector<const ChainVertex*> path() const;
};

struct JobMeaning {
    std::vector<PointMeaning> points;  // every point named by a record, as first named
    std::vector<JobChain> chains;      // in the chain section's order

    // The point the records name `number`, or nothing.
    const PointMeaning* find(std::int64_t number) const;

  private:
    friend JobMeaning resolveMeaning(const std::vector<Observation>&, const PointTable&,
                                     const std::vector<ChainList>&);
    std::unordered_map<std::int64_t, std::size_t> indexOfPoint_;
};

// The point a point-feature name stands on: a second feature's number less
// 100000, any other number as it is.
std::int64_t physicalPoint(std::int64_t number);

JobMeaning resolveMeaning(const std::vector<Observation>& observations, const PointTable& points,
                          const std::vector<ChainList>& chains);

}  // namespace zendro
