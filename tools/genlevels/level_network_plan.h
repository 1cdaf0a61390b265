#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zendro::genlevels {

// The network to level: benchmarks and junctions joined by lines of setups.
struct TrueHeight {
    std::string point;
    double height = 0;
};

struct LevelsShape {
    std::uint32_t seed = 1;
    bool metric = false;           // meters, not feet
    int lines = 6;                 // open lines, cross lines making loops, loops on themselves
    int setups = 8;                // per line
    std::string method = "mixed";  // BF, BFFB, or mixed: the lines take turns
    std::optional<double> readingSd;  // of one staff reading, file units; default 0.12 mm
    int intermediateSights = 1;       // per line, from its middle setup
    int repeats = 1;                  // lines with a foresight measured again
    int linesPerFile = 0;             // 0: every line in one file
    std::string name = "LEVELS";      // the files' first text line
    // The network's benchmarks and junctions, in order, when it levels
    // through the points of another survey (a job's); made up when empty.
    std::vector<TrueHeight> through;
};

// Faults planted in one line (1-based), at one of its setups.
struct FaultRequest {
    std::optional<double> staff;  // a foresight reading off by this, file units
    bool wrongBenchmark = false;  // the line ends on another benchmark than the file names
    bool unbalanced = false;      // a setup with its sights far from equal
    bool errorMark = false;       // a reading the level marks `e`
    int line = 2;
    int setup = 3;
};

struct GeneratedLevels {
    std::vector<std::string> files;  // each file's bytes, in order
    std::vector<TrueHeight> truth;   // every named point
    std::vector<TrueHeight> benchmarks;
    std::vector<std::string> faults;  // what was planted, where
};

// M5 files in the exact columns from a true height network: readings with a
// digital level's noise, BF and BFFB lines, intermediate sights, repeated
// measurements, the level's own Z, Sh, dz, Db and Df computed as it does
// (from its unrounded readings), and the faults asked for.
GeneratedLevels generateLevels(const LevelsShape& shape, const FaultRequest& faults);

// `name,,,Z` lines: the control file's vertical benchmarks; LF ended.
std::string heightLines(const std::vector<TrueHeight>& heights, bool metric);

}  // namespace zendro::genlevels
