#pragma once

#include <memory>
#include <vector>

#include "adjustment/network_unknowns.h"
#include "adjustment/sparse_least_squares.h"
#include "coordinates/job_positions.h"

namespace zendro::adjustment {

inline constexpr int kMaxIterations = 20;

// One part after its iterations.
struct PartSolution {
    // The last factorization, which gives the cofactors; null when the part
    // had no free value or no row.
    std::unique_ptr<SparseLeastSquares> solver;
    std::vector<double> redundancy;  // by row of the part
    int iterations = 0;
    bool converged = true;  // nothing free to move is settled as it stands
};

// Gauss-Newton on one part until the corrections fall below the tolerances
// or kMaxIterations, moving the positions and, in the horizontal part, the
// orientations (radians, by setup). Throws SingularUnknown naming the first
// unknown the rows leave undetermined.
PartSolution solvePart(NetworkPart part, const NetworkUnknowns& unknowns,
                       coordinates::JobPositions& positions, std::vector<double>& orientations);

}  // namespace zendro::adjustment
