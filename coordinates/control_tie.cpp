#include "coordinates/control_tie.h"

#include <Eigen/Geometry>
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "common/survey_geometry.h"

namespace zendro::coordinates {
namespace {

using geometry::kRadiansPerDegree;

// Rotation about the local origin by an azimuth, then a shift: a local point
// at azimuth a lands at azimuth a + rotation.
GroupTie tieByHand(const ManualStart& start, const review::Plan& plan) {
    GroupTie tie;
    tie.group = 0;
    tie.rotationDegrees = start.azimuthDegrees;
    // The first station is the local origin, so the shift is its position.
    const review::PlanPoint* first = plan.find(plan.frames[0].startPoint);
    const review::PlanPosition origin = first != nullptr ? first->position : review::PlanPosition{};
    const double turn = start.azimuthDegrees * kRadiansPerDegree;
    tie.north = start.north - (origin.north * std::cos(turn) - origin.east * std::sin(turn));
    tie.east = start.east - (origin.north * std::sin(turn) + origin.east * std::cos(turn));
    tie.elevation = start.elevation - origin.elevation;
    return tie;
}

// The best rigid fit of the group's local positions onto the known ones.
std::optional<GroupTie> tieByControl(std::size_t group, const std::vector<const review::PlanPoint*>& local,
                                     const std::vector<const ControlPoint*>& known) {
    const auto count = static_cast<Eigen::Index>(local.size());
    Eigen::MatrixXd from(2, count), to(2, count);
    double elevation = 0;
    for (Eigen::Index i = 0; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        from.col(i) << local[at]->position.north, local[at]->position.east;
        to.col(i) << known[at]->north, known[at]->east;
        elevation += known[at]->elevation - local[at]->position.elevation;
    }
    // Points all in one place give no direction to turn by.
    const double spread = (from.colwise() - from.rowwise().mean()).norm();
    if (spread == 0) return std::nullopt;
    const Eigen::MatrixXd fit = Eigen::umeyama(from, to, false);
    GroupTie tie;
    tie.group = group;
    // Where the local north lands gives the turn, in the north-east plane.
    tie.rotationDegrees = std::atan2(fit(1, 0), fit(0, 0)) / kRadiansPerDegree;
    tie.north = fit(0, 2);
    tie.east = fit(1, 2);
    tie.elevation = elevation / static_cast<double>(count);
    for (const ControlPoint* point : known) tie.controlUsed.push_back(point->number);
    return tie;
}

PointPosition placed(const review::PlanPoint& point, const GroupTie& tie) {
    const double turn = tie.rotationDegrees * kRadiansPerDegree;
    const review::PlanPosition& at = point.position;
    PointPosition position;
    position.number = point.number;
    position.north = tie.north + at.north * std::cos(turn) - at.east * std::sin(turn);
    position.east = tie.east + at.north * std::sin(turn) + at.east * std::cos(turn);
    position.elevation = tie.elevation + at.elevation;
    position.station = point.station;
    position.taped = point.taped;
    position.group = point.frame;
    return position;
}

}  // namespace

ControlTie tieToControl(const review::Plan& plan, std::span<const ControlPoint> control,
                        const std::optional<ManualStart>& start) {
    // A height alone (a benchmark, a levelled point) places nothing in plan.
    std::unordered_map<std::int64_t, const ControlPoint*> known;
    for (const ControlPoint& point : control)
        if (point.horizontal) known[point.number] = &point;

    const std::size_t groups = plan.frames.size();
    std::vector<std::vector<const review::PlanPoint*>> local(groups);
    std::vector<std::vector<const ControlPoint*>> matched(groups);
    std::vector<std::size_t> pointsIn(groups, 0);
    for (const review::PlanPoint& point : plan.points) {
        ++pointsIn[point.frame];
        const auto found = known.find(point.number);
        if (found == known.end()) continue;
        local[point.frame].push_back(&point);
        matched[point.frame].push_back(found->second);
    }

    ControlTie result;
    std::vector<std::optional<GroupTie>> tieOf(groups);
    for (std::size_t group = 0; group < groups; ++group) {
        if (group == 0 && start) {
            tieOf[group] = tieByHand(*start, plan);
        } else if (matched[group].size() >= 2) {
            tieOf[group] = tieByControl(group, local[group], matched[group]);
        }
        if (tieOf[group]) {
            result.ties.push_back(*tieOf[group]);
            continue;
        }
        const char* reason = matched[group].empty()      ? "it observes no control point"
                             : matched[group].size() == 1 ? "it observes one control point only"
                                                          : "its control points are all in one place";
        result.untied.push_back({group, plan.frames[group].startPoint,
                                 plan.frames[group].startRecord, pointsIn[group], reason});
    }

    result.positions.frame = PositionFrame::TiedToControl;
    for (const review::PlanPoint& point : plan.points) {
        if (tieOf[point.frame]) result.positions.points.push_back(placed(point, *tieOf[point.frame]));
    }
    result.positions.reindex();
    return result;
}

}  // namespace zendro::coordinates
