#include "coordinates/control_checks.h"

#include <cmath>
#include <numbers>
#include <set>
#include <unordered_map>
#include <utility>

#include "common/field_format.h"
#include "common/survey_geometry.h"
#include "coordinates/azimuth_text.h"
#include "review/finding_text.h"

namespace zendro::coordinates {
namespace {

using field_format::RecordKind;
using review::decimals;
using review::Finding;
using review::FindingKind;

using geometry::azimuthDegrees;
using geometry::signedDegrees;

// "<measure>, elevation <difference>" as the table's columns show a control check.
review::FindingValue withElevation(double number, double horizontal, double elevation) {
    return {number, decimals(horizontal, 3) + ", elevation " + decimals(elevation, 3)};
}

class ControlChecker {
  public:
    ControlChecker(const ControlTie& tie, const review::Plan& plan,
                   const std::vector<Observation>& records, std::span<const ControlPoint> control,
                   const review::ReviewLimits& limits)
        : tie_(tie), plan_(plan), records_(records), limits_(limits) {
        for (const ControlPoint& point : control) known_[point.number] = &point;
        for (const GroupTie& groupTie : tie.ties) tieOf_[groupTie.group] = &groupTie;
    }

    ControlChecks run() {
        for (const std::int64_t number : plan_.observedPoints) checkPoint(number);
        checkBacksights();
        for (const UntiedGroup& group : tie_.untied) reportUntied(group);
        return std::move(checks_);
    }

  private:
    void checkPoint(std::int64_t number) {
        const auto control = known_.find(number);
        const PointPosition* tied = tie_.positions.find(number);
        if (control == known_.end() || tied == nullptr) return;
        const ControlPoint& known = *control->second;
        if (!known.horizontal) {
            checkHeight(number, known, *tied);
            return;
        }
        const double north = tied->north - known.north;
        const double east = tied->east - known.east;
        const double elevation = tied->elevation - known.elevation;
        const double horizontal = std::hypot(north, east);
        const bool over = horizontal > limits_.controlHorizontal ||
                          std::abs(elevation) > limits_.controlElevation;
        ++checks_.measured;
        const std::string text =
            "control point check against the control file's line " + std::to_string(known.line) +
            ": north " + decimals(north, 3) + " east " + decimals(east, 3) + " elevation " +
            decimals(elevation, 3) + ", horizontal " + decimals(horizontal, 3) + "; limit " +
            decimals(limits_.controlHorizontal, 3) + ", elevation " +
            decimals(limits_.controlElevation, 3);
        checks_.findings.push_back(review::measuredFinding(
            FindingKind::ControlPoint, plan_.recordsOfPoint.at(number).front(), number, over, text,
            withElevation(horizontal, horizontal, elevation),
            withElevation(limits_.controlHorizontal, limits_.controlHorizontal,
                          limits_.controlElevation),
            "check the control point's number and coordinates, then re-measure the setups and "
            "shots that place it"));
    }

    // A known height alone (a levelled point): the elevation is all there is to check.
    void checkHeight(std::int64_t number, const ControlPoint& known, const PointPosition& tied) {
        const double elevation = tied.elevation - known.elevation;
        const bool over = std::abs(elevation) > limits_.controlElevation;
        ++checks_.measured;
        const std::string from = known.source.empty()
                                     ? "the control file's line " + std::to_string(known.line)
                                     : known.source;
        const std::string text = "height check against " + from + ": elevation " +
                                 decimals(elevation, 3) + "; limit " +
                                 decimals(limits_.controlElevation, 3);
        checks_.findings.push_back(review::measuredFinding(
            FindingKind::ControlPoint, plan_.recordsOfPoint.at(number).front(), number, over, text,
            {std::abs(elevation), "elevation " + decimals(elevation, 3)},
            {limits_.controlElevation, "elevation " + decimals(limits_.controlElevation, 3)},
            "check the point's number and its known height, then re-measure the heights of the "
            "setups and shots that reach it"));
    }

    // The first orientation record of the setup that starts each group: the
    // local frame points its azimuth 0 at it.
    std::unordered_map<std::size_t, std::int64_t> datumPoints() const {
        std::unordered_map<std::size_t, std::int64_t> datum;
        for (std::size_t group = 0; group < plan_.frames.size(); ++group) {
            for (std::size_t i = plan_.frames[group].startRecord + 1; i < records_.size(); ++i) {
                const RecordKind kind = records_[i].recordKind;
                if (kind == RecordKind::Setup) break;
                if (kind == RecordKind::Backsight || kind == RecordKind::Reference) {
                    datum[plan_.frames[group].startRecord] = records_[i].pointNumber;
                    break;
                }
            }
        }
        return datum;
    }

    void checkBacksights() {
        const std::unordered_map<std::size_t, std::int64_t> datum = datumPoints();
        std::optional<std::size_t> setupRecord;
        std::set<std::int64_t> checkedAtSetup;
        for (std::size_t i = 0; i < records_.size(); ++i) {
            const Observation& record = records_[i];
            if (record.recordKind == RecordKind::Setup) {
                setupRecord = i;
                checkedAtSetup.clear();
            }
            if (record.recordKind != RecordKind::Backsight || !setupRecord) continue;
            if (!checkedAtSetup.insert(record.pointNumber).second) continue;
            const auto found = datum.find(*setupRecord);
            const bool isDatum = found != datum.end() && found->second == record.pointNumber;
            checkBacksight(i, records_[*setupRecord].pointNumber, record.pointNumber, isDatum);
        }
    }

    void checkBacksight(std::size_t index, std::int64_t station, std::int64_t target,
                        bool isDatum) {
        const auto knownStation = known_.find(station);
        const auto knownTarget = known_.find(target);
        const review::PlanPoint* from = plan_.find(station);
        if (knownStation == known_.end() || knownTarget == known_.end() || from == nullptr ||
            !knownStation->second->horizontal || !knownTarget->second->horizontal)
            return;
        const auto groupTie = tieOf_.find(from->frame);
        if (groupTie == tieOf_.end()) return;
        // The direction the setup took for this backsight, in the local frame.
        const review::PlanPoint* to = plan_.find(target);
        double localAzimuth = 0;
        if (to != nullptr && to->frame == from->frame &&
            std::hypot(to->position.north - from->position.north,
                       to->position.east - from->position.east) > 0) {
            localAzimuth = azimuthDegrees(from->position, to->position);
        } else if (!isDatum) {
            return;  // oriented by assumption: the review already says so
        }
        const ControlPoint& a = *knownStation->second;
        const ControlPoint& b = *knownTarget->second;
        if (std::hypot(b.north - a.north, b.east - a.east) == 0) return;
        const double observed = std::fmod(localAzimuth + groupTie->second->rotationDegrees + 720.0, 360.0);
        const double expected = azimuthDegrees({a.north, a.east}, {b.north, b.east});
        const double seconds = signedDegrees(observed - expected) * 3600.0;
        const bool over = std::abs(seconds) > limits_.controlBacksightSeconds;
        ++checks_.measured;
        const std::string text =
            "backsight on control point " + std::to_string(target) + " from control point " +
            std::to_string(station) + ": azimuth " + azimuthText(observed) + " against " +
            azimuthText(expected) + " between the known points (" + decimals(seconds, 1) +
            "\"); limit " + decimals(limits_.controlBacksightSeconds, 1) + "\"";
        checks_.findings.push_back(review::measuredFinding(
            FindingKind::ControlBacksight, index, station, over, text,
            {std::abs(seconds), decimals(seconds, 1) + "\""},
            {limits_.controlBacksightSeconds, decimals(limits_.controlBacksightSeconds, 1) + "\""},
            "check both control points' numbers and coordinates, then re-measure the backsight"));
    }

    void reportUntied(const UntiedGroup& group) {
        checks_.findings.push_back(review::noticeFinding(
            FindingKind::ControlNotTied, group.startRecord, group.startPoint,
            "the " + std::to_string(group.points) +
                " points of the frame that starts here are not tied to control: " + group.reason,
            "; ", "observe two control points from it, or give the start by hand"));
    }

    const ControlTie& tie_;
    const review::Plan& plan_;
    const std::vector<Observation>& records_;
    const review::ReviewLimits& limits_;
    std::unordered_map<std::int64_t, const ControlPoint*> known_;
    std::unordered_map<std::size_t, const GroupTie*> tieOf_;
    ControlChecks checks_;
};

}  // namespace

ControlChecks checkControl(const ControlTie& tie, const review::Plan& plan,
                           const std::vector<Observation>& records,
                           std::span<const ControlPoint> control,
                           const review::ReviewLimits& limits) {
    return ControlChecker(tie, plan, records, control, limits).run();
}

}  // namespace zendro::coordinates
