#pragma once

#include "tools/genjob/instrument.h"
#include "tools/genjob/job_plan.h"

// A highway corridor job made from true positions: a traverse along a
// centerline of tangents and curves, each setup shooting the edges of
// pavement, the centerline, the shoulders and the ditch lines as chains along
// the road, with every reading computed from the positions and the instrument
// and target heights and given the instrument's random errors.
namespace zendro::genjob {

struct CorridorShape {
    JobShape job;  // name, points and seed; recordsPerPoint is not used
    InstrumentAccuracy instrument;
    bool metric = false;  // lengths in meters, else feet
};

// The same shape and seed give the same plan. The plan's truth lists every
// point in description order. Throws std::invalid_argument for fewer than
// kMinPoints points or a negative standard deviation.
JobPlan planCorridor(const CorridorShape& shape);

}  // namespace zendro::genjob
