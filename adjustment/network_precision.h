#pragma once

#include "adjustment/adjustment_result.h"
#include "adjustment/network_datum.h"
#include "adjustment/network_iteration.h"
#include "adjustment/network_unknowns.h"

namespace zendro::adjustment {

// Sorts the adjusted points, in `result.positions` in the network's order,
// into held, not determined and not checked, and gives each of the rest its
// precision from its part's cofactors. Needs both parts' statistics.
void judgePoints(AdjustmentResult& result, const NetworkDatum& datum,
                 const NetworkUnknowns& unknowns, const PartSolution& horizontal,
                 const PartSolution& vertical);

}  // namespace zendro::adjustment
