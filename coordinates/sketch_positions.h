#pragma once

#include "coordinates/job_positions.h"
#include "review/sketch_model.h"

namespace zendro::coordinates {

// Moves the sketch's points to `positions` (x to the east, y to the north),
// with each determined point's error ellipse and the frame named in the
// title block, and fits the bounds to them. A point the positions lack is
// left out, with its legs and its place in the chains: the sketch shows the
// positions written, in their one frame, and no point of another.
void placeSketch(review::SketchModel& sketch, const JobPositions& positions);

}  // namespace zendro::coordinates
