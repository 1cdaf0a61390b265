// The input as a point-feature file, loaded into the point table.

#include <cstddef>
#include <cstdint>

#include "features/point_table.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zendro::fuzz::require;
    const zendro::PointTable table = zendro::loadPointTable(zendro::fuzz::asBytes(data, size), "*");
    require(table.pointCount() >= 1, "the point count starts at 1");
    require(table.pointCount() <= size + 1, "no more entries than bytes");
    // Lookups scan up to pointCount() inclusive, and the second-feature test one past it.
    for (std::size_t i = 1; i <= table.pointCount() + 1; ++i) {
        const zendro::PointEntry& entry = table.at(i);
        require(entry.kind == "P" || entry.kind == "C", "kind is P or C");
        require(entry.kind == "P" || entry.description.find('*') != std::string::npos,
                "kind C only for a description holding the curve code");
        (void)entry.name.numberText();
    }
    return 0;
}
