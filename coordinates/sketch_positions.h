#pragma once

#include "coordinates/job_positions.h"
#include "review/sketch_model.h"

namespace zendro::coordinates {

// Moves the sketch's points to `positions` (x to the east, y to the north),
// with each determined point's error ellipse and the frame named in the
// title block, and fits the bounds to them. A point the positions lack stays
// where it was, without an ellipse.
void placeSketch(review::SketchModel& sketch, const JobPositions& positions);

}  // namespace zendro::coordinates
