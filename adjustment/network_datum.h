#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "adjustment/adjustment_input.h"
#include "adjustment/network_observations.h"
#include "adjustment/setup_readings.h"
#include "coordinates/control_file.h"
#include "coordinates/job_positions.h"

namespace zendro::adjustment {

// The job's points as the adjustment holds them: the approximate positions
// until the iterations move them (frame Adjusted throughout), each with its
// control point.
struct NetworkPoints {
    coordinates::JobPositions positions;
    std::unordered_map<std::int64_t, std::size_t> at;  // point number to index in positions
    // Control read only as a backsight: at its known position from the start.
    std::unordered_set<std::int64_t> placedFromControl;
    std::vector<const coordinates::ControlPoint*> control;  // by index; null without control

    std::size_t index(std::int64_t number) const { return at.at(number); }
    std::size_t groupCount() const;
};

// The approximate positions and the control points the plan does not place
// (it places no point that is only backsighted), at their known positions in
// the group of their first reader. The control stays owned by `input`.
// Throws ZendroError for a weighted control point without a sigma.
NetworkPoints networkPoints(const AdjustmentInput& input, const std::vector<SetupReadings>& setups);

// Moves each group's approximate positions onto its control: a rigid 2D fit
// from two or more control points (the local frame is turned arbitrarily), a
// shift from one; the elevations by their mean difference. Control points then
// stand at their known positions.
void fitGroupsToControl(NetworkPoints& points);

// What holds the network where fixed control does not: a group with no
// control keeps its first setup's station, and with fewer than two control
// points that setup's orientation.
struct NetworkDatum {
    std::vector<bool> heldHorizontal;  // by point index
    std::vector<bool> heldVertical;
    std::vector<bool> heldOrientation;  // by setup of the network
    // By setup: held at the orientation the local frame gave it, its group
    // having no control to turn it.
    std::vector<bool> keepsLocalFrame;
};

NetworkDatum chooseDatum(const NetworkPoints& points, const NetworkObservations& network);

// The orientation (radians) of a setup the local frame starts on: its
// backsight points along azimuth 0, the last direct-face backsight, else the
// last reversed one, else the first reading.
double localFrameOrientation(const SetupReadings& setup);

}  // namespace zendro::adjustment
