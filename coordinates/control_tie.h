#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "coordinates/control_file.h"
#include "coordinates/job_positions.h"
#include "coordinates/manual_start.h"
#include "review/plan_frame.h"

namespace zendro::coordinates {

// How one group of the local frame was placed: local positions turned by
// `rotationDegrees` about the local origin, then moved.
struct GroupTie {
    std::size_t group = 0;
    double rotationDegrees = 0;
    double north = 0, east = 0, elevation = 0;
    std::vector<std::int64_t> controlUsed;  // empty for a start by hand
};

// A group that could not be placed, and why.
struct UntiedGroup {
    std::size_t group = 0;
    std::int64_t startPoint = 0;
    std::size_t startRecord = 0;
    std::size_t points = 0;
    const char* reason = "";
};

struct ControlTie {
    JobPositions positions;  // TiedToControl: the points of the tied groups only
    std::vector<GroupTie> ties;
    std::vector<UntiedGroup> untied;
};

// Places the local frame's groups on control. A start by hand places the first
// group; any other group is placed by the control points it observes, two or
// more, turned and moved (not scaled) to fit them best in the least-squares
// sense, with the mean of their elevation differences. A control point counts
// whether it is held or weighted: the adjustment, not the tie, weighs them.
ControlTie tieToControl(const review::Plan& plan, std::span<const ControlPoint> control,
                        const std::optional<ManualStart>& start);

}  // namespace zendro::coordinates
