#pragma once

#include <vector>

#include "adjustment/network_unknowns.h"
#include "adjustment/sparse_least_squares.h"
#include "coordinates/job_positions.h"

namespace zendro::adjustment {

// The rows of `part` linearized at the current positions and orientations
// (radians, by setup) into `design`: each row's coefficients, misclosure
// (observed minus computed) and a priori sigma. `computed`, when given, gets
// each row's value at the current values.
void linearize(NetworkPart part, const NetworkUnknowns& unknowns,
               const coordinates::JobPositions& positions, const std::vector<double>& orientations,
               std::vector<DesignRow>& design, std::vector<double>* computed = nullptr);

}  // namespace zendro::adjustment
