#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "levels/level_finding.h"
#include "levels/level_forms.h"
#include "levels/level_line.h"

namespace zendro::levels {

// A height known before the run: a benchmark of the control file.
struct Benchmark {
    std::string name;
    double height = 0;
    std::optional<double> sigma;  // weighted; held when not given
    std::size_t controlLine = 0;
};

using Benchmarks = std::unordered_map<std::string, Benchmark>;

// Measured checks made, and how many were over their limits.
struct CheckTally {
    std::size_t measured = 0;
    std::size_t over = 0;
};

// One setup of the level book. Readings and sight lengths are the means of
// a double-read setup's two.
struct BookRow {
    std::string backPoint;
    std::string forePoint;
    double back = 0;
    double fore = 0;
    std::optional<double> backDistance;
    std::optional<double> foreDistance;
    double difference = 0;                 // back less fore
    std::optional<double> differenceSpread;  // (b1 - f1) - (b2 - f2), double-read only
    double instrumentHeight = 0;           // the back point's height plus the backsight
    double height = 0;                     // the fore point's
    double imbalance = 0;                  // back less fore sight lengths so far
    Source source;                         // the setup's first reading
};

struct IntermediateRow {
    std::string point;
    double reading = 0;
    std::optional<double> distance;
    double height = 0;
    std::size_t setup = 0;  // into the book's rows
    Source source;
};

enum class StartFrom { Benchmark, File, Nothing };
enum class ClosureKind { Open, BetweenBenchmarks, Loop };

struct LineClosure {
    ClosureKind kind = ClosureKind::Open;
    double misclosure = 0;  // measured less known
    double allowance = 0;
    bool over = false;
};

// A line reduced: its level book, sums and closure.
struct ReducedLine {
    const LevelLine* line = nullptr;
    double startHeight = 0;
    StartFrom startFrom = StartFrom::Nothing;
    std::vector<BookRow> rows;
    std::vector<IntermediateRow> intermediates;
    double sumBack = 0;  // of the readings used
    double sumFore = 0;
    double backLength = 0;
    double foreLength = 0;
    double endHeight = 0;
    bool arithmeticHolds = true;  // sum back less sum fore is the height gained
    LineClosure closure;          // made by the checks

    double length() const { return backLength + foreLength; }
};

// Reduces a line from its start height (the benchmark's when the control
// file knows its start, else the one typed into the level), and compares the
// level's own Z, Sh, dz, Db and Df with the reduction: a difference beyond
// what their printing rounds is a finding.
ReducedLine reduceLine(const LevelLine& line, const Benchmarks& benchmarks, const LevelForms& forms,
                       std::vector<LevelFinding>& findings, CheckTally& tally);

}  // namespace zendro::levels
