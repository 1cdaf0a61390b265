#include "adjustment/network_statistics.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "adjustment/chi_square_test.h"
#include "adjustment/network_design.h"
#include "common/survey_geometry.h"

namespace zendro::adjustment {
namespace {

// The two-sided test of v^T P v = `squares` over the statistics' degrees of
// freedom (a part's, or the whole adjustment's).
template <typename Statistics>
void testChiSquare(Statistics& statistics, double squares) {
    const ChiSquareBounds bounds = chiSquareBounds(statistics.degreesOfFreedom);
    statistics.chiSquareLower = bounds.lower;
    statistics.chiSquareUpper = bounds.upper;
    statistics.chiSquarePassed = squares >= bounds.lower && squares <= bounds.upper;
}

std::string blunderAdvice(const ObservationResidual& r, const NetworkPoints& points) {
    const std::string between =
        " from point " + std::to_string(r.from) + " to point " + std::to_string(r.to);
    const std::string record = " (HVD record " + std::to_string(r.record) + ")";
    switch (r.kind) {
        case ObservationKind::Direction:
            return "re-measure the direction" + between + record;
        case ObservationKind::Distance:
            return "re-measure the distance" + between + record;
        case ObservationKind::HeightDifference:
            return "check the instrument and target heights and re-measure the zenith angle" +
                   between + record;
        case ObservationKind::ControlNorth:
        case ObservationKind::ControlEast:
        case ObservationKind::ControlElevation:
            break;
    }
    const coordinates::ControlPoint* c = points.control[points.index(r.from)];
    if (c != nullptr && !c->source.empty())
        return "check the height of point " + std::to_string(r.from) + " (" + c->source + ")";
    return "check control point " + std::to_string(r.from) + " (line " +
           std::to_string(c != nullptr ? c->line : 0) + " of the control file)";
}

}  // namespace

PartStatistics partResiduals(NetworkPart part, const NetworkUnknowns& unknowns,
                             const coordinates::JobPositions& positions,
                             const std::vector<double>& orientations,
                             const std::vector<double>& redundancy,
                             std::vector<ObservationResidual>& residuals) {
    const std::vector<NetworkRow>& rows = unknowns.rows(part);
    std::vector<DesignRow> design;
    std::vector<double> computed;
    linearize(part, unknowns, positions, orientations, design, &computed);
    PartStatistics statistics;
    statistics.observations = static_cast<int>(rows.size());
    statistics.unknowns = unknowns.count(part);
    statistics.degreesOfFreedom = statistics.observations - statistics.unknowns;
    double weightedSquares = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const NetworkRow& row = rows[r];
        const double v = -design[r].misclosure;  // adjusted minus observed
        weightedSquares += (v / design[r].sigma) * (v / design[r].sigma);
        ObservationResidual residual;
        residual.kind = row.kind;
        residual.from = positions.points[row.from].number;
        residual.to = positions.points[row.to].number;
        residual.redundancy = redundancy[r];
        if (row.observation != nullptr) residual.record = row.observation->record;
        const bool direction = row.kind == ObservationKind::Direction;
        residual.observed = computed[r] + design[r].misclosure;
        if (direction)
            residual.observed =
                std::fmod(residual.observed * 180.0 / std::numbers::pi + 720.0, 360.0);
        residual.residual = direction ? v * geometry::kSecondsPerRadian : v;
        if (redundancy[r] > kMinimumRedundancy) {
            residual.standardized = v / (design[r].sigma * std::sqrt(redundancy[r]));
        }
        residuals.push_back(residual);
    }
    if (statistics.degreesOfFreedom > 0) {
        statistics.varianceFactor = weightedSquares / statistics.degreesOfFreedom;
        testChiSquare(statistics, weightedSquares);
    }
    return statistics;
}

void testWholeAdjustment(AdjustmentResult& result) {
    const PartStatistics& h = result.horizontal;
    const PartStatistics& v = result.vertical;
    result.degreesOfFreedom = std::max(0, h.degreesOfFreedom) + std::max(0, v.degreesOfFreedom);
    if (result.degreesOfFreedom > 0) {
        const double squares = h.varianceFactor * std::max(0, h.degreesOfFreedom) +
                               v.varianceFactor * std::max(0, v.degreesOfFreedom);
        result.varianceFactor = squares / result.degreesOfFreedom;
        testChiSquare(result, squares);
    }
}

std::optional<Blunder> probableBlunder(const AdjustmentResult& result,
                                       const NetworkPoints& points) {
    std::optional<std::size_t> worst;
    for (std::size_t r = 0; r < result.residuals.size(); ++r) {
        const double w = std::abs(result.residuals[r].standardized);
        if (w > result.blunderLimit &&
            (!worst || w > std::abs(result.residuals[*worst].standardized))) {
            worst = r;
        }
    }
    if (!worst) return std::nullopt;
    return Blunder{*worst, blunderAdvice(result.residuals[*worst], points)};
}

}  // namespace zendro::adjustment
