#include "adjustment/network_precision.h"

#include <algorithm>
#include <cmath>

#include "adjustment/error_ellipse.h"

namespace zendro::adjustment {
namespace {

// The largest redundancy among a point's rows: above kMinimumRedundancy
// the other observations check it. A part with rows but nothing to adjust
// (every point it reads held) was not solved and checks none of them.
std::vector<double> pointRedundancy(std::size_t points, const std::vector<NetworkRow>& rows,
                                    const std::vector<double>& redundancy) {
    std::vector<double> best(points, 0.0);
    for (std::size_t r = 0; r < rows.size() && r < redundancy.size(); ++r) {
        best[rows[r].from] = std::max(best[rows[r].from], redundancy[r]);
        best[rows[r].to] = std::max(best[rows[r].to], redundancy[r]);
    }
    return best;
}

// Precision comes from the a priori sigmas, made larger by the variance
// factor only when the test finds them optimistic: an exact job would
// otherwise show points known to nothing.
double precisionScale(const PartStatistics& part) {
    return part.chiSquarePassed || part.varianceFactor < 1 ? 1.0 : part.varianceFactor;
}

}  // namespace

void judgePoints(AdjustmentResult& result, const NetworkDatum& datum,
                 const NetworkUnknowns& unknowns, const PartSolution& horizontal,
                 const PartSolution& vertical) {
    std::vector<coordinates::PointPosition>& points = result.positions.points;
    const std::vector<double> horizontalChecks =
        pointRedundancy(points.size(), unknowns.horizontalRows, horizontal.redundancy);
    const std::vector<double> verticalChecks =
        pointRedundancy(points.size(), unknowns.verticalRows, vertical.redundancy);
    const double hs0 = precisionScale(result.horizontal);
    const double vs0 = precisionScale(result.vertical);
    for (std::size_t i = 0; i < points.size(); ++i) {
        coordinates::PointPosition& p = points[i];
        p.precision.reset();
        const int fh = unknowns.horizontal[i];
        const int fv = unknowns.vertical[i];
        if (datum.heldHorizontal[i] && datum.heldVertical[i]) {
            result.held.push_back(p.number);
            continue;
        }
        if (fh < 0 && !datum.heldHorizontal[i]) {
            result.notDetermined.push_back(p.number);
            continue;
        }
        const bool checkedHorizontally =
            datum.heldHorizontal[i] || horizontalChecks[i] > kMinimumRedundancy;
        const bool checkedVertically =
            datum.heldVertical[i] || (fv >= 0 && verticalChecks[i] > kMinimumRedundancy);
        if (!checkedHorizontally || !checkedVertically || fh < 0) {
            result.notChecked.push_back(p.number);
            continue;
        }
        coordinates::PointPrecision precision =
            horizontalPrecision(hs0 * horizontal.solver->cofactor(fh, fh),
                                hs0 * horizontal.solver->cofactor(fh + 1, fh + 1),
                                hs0 * horizontal.solver->cofactor(fh, fh + 1));
        if (fv >= 0) precision.sigmaElevation = std::sqrt(vs0 * vertical.solver->cofactor(fv, fv));
        p.precision = precision;
    }
}

}  // namespace zendro::adjustment
