#pragma once

#include "adjustment/adjustment_input.h"
#include "adjustment/adjustment_result.h"

namespace zendro::adjustment {

// The least-squares adjustment of the job's readings: a 2D network of
// directions (one orientation unknown per setup, both faces, reversed ones
// reduced to the direct face) and horizontal distances by Gauss-Newton, and a
// 1D network of trigonometric height differences. Held control is not
// unknown, weighted control enters as pseudo-observations; a group without
// control keeps its first station and that setup's orientation where the
// approximate positions have them (one control point: its orientation only).
// Throws ZendroError when the observations leave a point or an orientation
// undetermined, naming it.
AdjustmentResult adjustNetwork(const AdjustmentInput& input);

}  // namespace zendro::adjustment
