#include "adjustment/network_adjustment.h"

#include <string>
#include <utility>
#include <vector>

#include "adjustment/network_datum.h"
#include "adjustment/network_iteration.h"
#include "adjustment/network_observations.h"
#include "adjustment/network_precision.h"
#include "adjustment/network_statistics.h"
#include "adjustment/network_unknowns.h"
#include "adjustment/setup_readings.h"
#include "common/errors.h"

namespace zendro::adjustment {
namespace {

// The network with its datum chosen and its unknowns numbered: what both
// parts' iterations read. The rows point into `network` and the input's
// control.
struct PreparedNetwork {
    NetworkObservations network;
    NetworkDatum datum;
    NetworkUnknowns unknowns;
};

// One part's iterations, its residuals and statistics into `result`; a
// singular part is named by the unknown it leaves open.
PartSolution adjustPart(NetworkPart part, const PreparedNetwork& prepared, NetworkPoints& points,
                        std::vector<double>& orientations, const std::string& source,
                        AdjustmentResult& result) {
    PartSolution solution;
    try {
        solution = solvePart(part, prepared.unknowns, points.positions, orientations);
    } catch (const SingularUnknown& singular) {
        throw ZendroError(source, "the adjustment's observations do not determine " +
                                      unknownName(singular.unknown, part, prepared.unknowns, points,
                                                  prepared.network) +
                                      ": it needs more directions or distances to points "
                                      "already fixed, or control");
    }
    if (solution.solver) {
        PartStatistics& statistics =
            part == NetworkPart::Horizontal ? result.horizontal : result.vertical;
        statistics = partResiduals(part, prepared.unknowns, points.positions, orientations,
                                   solution.redundancy, result.residuals);
    }
    return solution;
}

}  // namespace

AdjustmentResult adjustNetwork(const AdjustmentInput& input) {
    const std::string source = input.failureSource();
    if (input.records == nullptr || input.points == nullptr || input.approximate == nullptr) {
        throw ZendroError(source, "the job's records, points and positions are needed");
    }
    const std::vector<SetupReadings> setups = collectSetups(*input.records, *input.points);
    NetworkPoints points = networkPoints(input, setups);
    PreparedNetwork prepared{networkObservations(setups, points.positions, input.sigmas), {}, {}};
    fitGroupsToControl(points);
    prepared.datum = chooseDatum(points, prepared.network);
    prepared.unknowns = numberUnknowns(points, prepared.network, prepared.datum,
                                       keptObservations(points, prepared.network, prepared.datum));
    std::vector<double> orientations =
        startOrientations(points, prepared.network, prepared.datum, prepared.unknowns);
    const NetworkUnknowns& unknowns = prepared.unknowns;

    AdjustmentResult result;
    result.blunderLimit = input.limits.blunderResidual;
    result.residuals.reserve(unknowns.horizontalRows.size() + unknowns.verticalRows.size());
    // Positions that no observation moved, or that did not settle, are not
    // adjusted ones: refuse rather than hand them on as such.
    if (unknowns.horizontalRows.empty() && unknowns.verticalRows.empty())
        throw ZendroError(source,
                          "nothing to adjust: no setup reads a point of its group with a distance");

    const PartSolution horizontal =
        adjustPart(NetworkPart::Horizontal, prepared, points, orientations, source, result);
    const PartSolution vertical =
        adjustPart(NetworkPart::Vertical, prepared, points, orientations, source, result);
    // The iterations told are the horizontal part's unless it had no rows.
    result.iterations =
        unknowns.horizontalRows.empty() ? vertical.iterations : horizontal.iterations;
    result.converged = horizontal.converged && vertical.converged;
    if (!result.converged)
        throw ZendroError(source, "the adjustment did not converge in " +
                                      std::to_string(kMaxIterations) +
                                      " iterations: look for a gross error in the review's "
                                      "findings first");

    testWholeAdjustment(result);
    result.blunder = probableBlunder(result, points);
    result.positions = std::move(points.positions);
    judgePoints(result, prepared.datum, unknowns, horizontal, vertical);
    result.positions.reindex();
    return result;
}

}  // namespace zendro::adjustment
