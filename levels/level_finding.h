#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "review/check_report.h"

namespace zendro::levels {

// What a finding is about.
enum class LevelCheck : std::uint8_t {
    Reading,           // a line of the file not read as it stands
    Sequence,          // a reading out of its place in the line
    Repeated,          // measured again: the last reading counts
    MarkedReadings,    // readings the instrument marked `e`
    InstrumentRecord,  // the instrument's own Z, Sh, dz, Db, Df against the reduction
    StartHeight,       // a benchmark's height in the file against the control file's
    Closure,           // a line between benchmarks, or a loop
    SetupImbalance,
    LineImbalance,
    LongestSight,
    LowestReading,
    DoubleDifference,  // the two height differences of a double-read setup
    Blunder,           // the network adjustment's largest standardized residual
    VarianceTest,      // the adjustment's chi-square test
};

// "Closure", "Setup imbalance": what a crew calls the check.
std::string_view levelCheckName(LevelCheck check);

// One finding of a level run: where (file, line, M5 address, point), what was
// found with its value and limit, and what to re-measure.
struct LevelFinding {
    LevelCheck check = LevelCheck::Reading;
    std::string file;
    int line = 0;               // the levelling line; 0 outside one
    std::uint32_t address = 0;  // the M5 address; 0 when the file line has none
    std::size_t fileLine = 0;   // 1-based, for a line without an address
    std::string point;
    bool measured = false;  // a value held against a limit
    bool over = false;      // over its limit, or a fault that makes the run doubtful
    std::string what;       // what was found, with the value and the limit
    // A measured check's value and limit as a findings table shows them.
    std::optional<review::FindingValue> value;
    std::optional<review::FindingValue> limit;
    std::string advice;     // what to do about it

    // "RUN.DAT: line 3, Adr 123, point 17: what: OVER LIMIT, advice".
    std::string text() const;
    // "line 3, Adr 123" (or "file line 7"): where in its file, without the point.
    std::string place() const;
};

// "lines 3-9, 12": file lines or addresses as ranges.
std::string rangesText(const std::vector<std::size_t>& sorted);

}  // namespace zendro::levels
