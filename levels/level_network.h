#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "adjustment/chi_square_test.h"
#include "levels/level_reduction.h"

namespace zendro::levels {

// How the sections are weighted: by their length (the usual), or by their
// number of setups (hilly lines, where setups rather than kilometres carry
// the error).
enum class LevelWeighting { Length, Setups };

struct NetworkSettings {
    LengthUnit unit = LengthUnit::Metre;
    double sigmaKm = 1.0;  // mm: the a priori sd of 1 km of double-run levelling
    LevelWeighting weighting = LevelWeighting::Length;
    double blunderLimit = 3.29;
};

// A line's part between two junctions of the network (benchmarks, the ends
// of lines, points more than one line or setup reaches): one observed
// height difference. A weighted benchmark's height is an observation too.
struct Section {
    std::string from;  // empty for a benchmark's height
    std::string to;
    const ReducedLine* line = nullptr;  // none for a benchmark's height
    Source first;
    Source last;
    double rise = 0;  // observed
    double length = 0;
    std::size_t setups = 0;
    double sigma = 0;     // a priori
    double residual = 0;  // adjusted less observed
    double redundancy = 0;
    std::optional<double> standardized;  // none where nothing checks it
};

enum class HeightSource { HeldBenchmark, WeightedBenchmark, Adjusted, Datum, TurningPoint, Intermediate };

struct AdjustedHeight {
    std::string point;
    double height = 0;
    double sd = 0;  // from the a priori weights
    HeightSource source = HeightSource::Adjusted;
};

struct NetworkResult {
    bool adjusted = false;  // false: no section to adjust, or `failure`
    std::string failure;    // why the normal equations could not be solved
    std::vector<Section> sections;
    std::vector<AdjustedHeight> heights;  // in the order the lines reach them
    std::size_t unknowns = 0;
    int degreesOfFreedom = 0;
    double sumOfSquares = 0;  // of the residuals over their sigmas
    double varianceFactor = 0;
    std::optional<adjustment::ChiSquareBounds> bounds;  // with degrees of freedom
    bool testPassed = true;
    std::optional<std::size_t> blunder;  // into sections
    std::vector<std::string> datum;      // held at a line's start height for want of a benchmark
};

// Adjusts every line given, joined by point id, by weighted least squares in
// Eigen's sparse solver: held benchmarks fixed, weighted ones observed, a
// part without either held at its first line's start height. Turning points
// and intermediate sights take their heights from their section, its
// correction spread by length (or setups), with their standard deviations.
NetworkResult adjustNetwork(const std::vector<ReducedLine>& lines, const Benchmarks& benchmarks,
                            const NetworkSettings& settings);

}  // namespace zendro::levels
