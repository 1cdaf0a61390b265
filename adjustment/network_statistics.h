#pragma once

#include <optional>
#include <vector>

#include "adjustment/adjustment_result.h"
#include "adjustment/network_datum.h"
#include "adjustment/network_unknowns.h"
#include "coordinates/job_positions.h"

namespace zendro::adjustment {

// The residuals of one part's rows at the adjusted values, appended to
// `residuals`, and the part's chi-square test. `redundancy` holds each row's
// redundancy number.
PartStatistics partResiduals(NetworkPart part, const NetworkUnknowns& unknowns,
                             const coordinates::JobPositions& positions,
                             const std::vector<double>& orientations,
                             const std::vector<double>& redundancy,
                             std::vector<ObservationResidual>& residuals);

// The whole adjustment's variance factor and chi-square test from both parts'.
void testWholeAdjustment(AdjustmentResult& result);

// The residual with the largest standardized value over the result's limit,
// and what to re-measure or check for it.
std::optional<Blunder> probableBlunder(const AdjustmentResult& result, const NetworkPoints& points);

}  // namespace zendro::adjustment
