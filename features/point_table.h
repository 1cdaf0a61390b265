#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "features/pf_reader.h"
#include "features/point_name.h"

namespace zendro {

// One line of the point-feature file as the conversion uses it.
struct PointEntry {
    PointName name;
    std::string description;
    std::string comment;
    std::string kind = "P";  // "P", or "C" when the description holds the curve code

    // A taped shot's entry: its description holds "TAPE".
    bool isTaped() const { return description.find("TAPE") != std::string::npos; }
};

// The points of one job, indexed from 1 in file order. `pointCount()` is one past
// the last entry the load read (the index at which reading stopped); lookups scan
// 1 to pointCount() inclusive. Any index the load did not fill reads as an empty
// entry of kind "P".
class PointTable {
  public:
    PointTable() = default;

    std::size_t pointCount() const { return pointCount_; }
    const PointEntry& at(std::size_t index) const;

    // The indices of every entry named `pointNumber`, ascending: what a scan of
    // 1 to pointCount() comparing names as numbers would visit, without the scan.
    const std::vector<std::size_t>& indicesOf(std::int64_t pointNumber) const;

    // Adds the entry at index pointCount() and moves pointCount() past it.
    void append(PointEntry entry);
    // The entry at pointCount() when the file ended inside it: kept, and the
    // count stays on it.
    void setPartialLast(PointEntry entry);

  private:
    void place(PointEntry entry);

    std::unordered_map<std::int64_t, std::vector<std::size_t>> indicesByNumber_;
    std::vector<PointEntry> entries_ = std::vector<PointEntry>(1);  // index 0 unused
    std::size_t pointCount_ = 1;
};

// Loads the table from the point-feature file's bytes. The name is read as a
// number or text, the description by a field read, the comment as the rest of
// the line (trimmed, one pair of enclosing quotes dropped), so a comment with
// commas stays whole. A description containing `curveCode` makes kind "C".
PointTable loadPointTable(std::string_view pfBytes, std::string_view curveCode);
PointTable loadPointTable(const PfEntries& entries, std::string_view curveCode);

}  // namespace zendro
