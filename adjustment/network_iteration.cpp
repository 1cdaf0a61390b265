#include "adjustment/network_iteration.h"

#include <algorithm>
#include <cmath>

#include "adjustment/network_design.h"

namespace zendro::adjustment {
namespace {

constexpr double kCoordinateTolerance = 1e-6;   // distance unit
constexpr double kOrientationTolerance = 1e-9;  // radians, 0.0002"

// Applies one correction; true when it was below the tolerances.
bool apply(const Eigen::VectorXd& dx, NetworkPart part, const NetworkUnknowns& unknowns,
           coordinates::JobPositions& positions, std::vector<double>& orientations) {
    const bool horizontal = part == NetworkPart::Horizontal;
    double moved = 0, turned = 0;
    for (std::size_t i = 0; i < positions.points.size(); ++i) {
        coordinates::PointPosition& p = positions.points[i];
        if (horizontal && unknowns.horizontal[i] >= 0) {
            const double dn = dx[unknowns.horizontal[i]];
            const double de = dx[unknowns.horizontal[i] + 1];
            p.north += dn;
            p.east += de;
            moved = std::max({moved, std::abs(dn), std::abs(de)});
        }
        if (!horizontal && unknowns.vertical[i] >= 0) {
            p.elevation += dx[unknowns.vertical[i]];
            moved = std::max(moved, std::abs(dx[unknowns.vertical[i]]));
        }
    }
    if (horizontal) {
        for (std::size_t s = 0; s < orientations.size(); ++s) {
            if (unknowns.orientation[s] < 0) continue;
            orientations[s] += dx[unknowns.orientation[s]];
            turned = std::max(turned, std::abs(dx[unknowns.orientation[s]]));
        }
    }
    return moved < kCoordinateTolerance && turned < kOrientationTolerance;
}

}  // namespace

PartSolution solvePart(NetworkPart part, const NetworkUnknowns& unknowns,
                       coordinates::JobPositions& positions, std::vector<double>& orientations) {
    PartSolution solution;
    if (unknowns.rows(part).empty() || unknowns.count(part) == 0) return solution;
    solution.solver = std::make_unique<SparseLeastSquares>(unknowns.count(part));
    std::vector<DesignRow> design;
    solution.converged = false;
    while (solution.iterations < kMaxIterations && !solution.converged) {
        linearize(part, unknowns, positions, orientations, design);
        const Eigen::VectorXd dx = solution.solver->solve(design);
        ++solution.iterations;
        solution.converged = apply(dx, part, unknowns, positions, orientations);
    }
    solution.solver->releaseDesign();
    // The rows go once the redundancies are known: the residuals make their own.
    solution.redundancy = solution.solver->redundancies(design);
    return solution;
}

}  // namespace zendro::adjustment
