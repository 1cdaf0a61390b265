#include "job/job_report_content.h"

#include <algorithm>
#include <filesystem>

#include "coordinates/azimuth_text.h"
#include "exports/number_text.h"

namespace zendro {
namespace {

using review::CellAlign;

// A deviation of a few thousandths shows in ten-thousandths, as the
// adjustment's own report gives it.
constexpr int kSigmaDecimals = 4;

std::string numberList(const std::vector<std::int64_t>& numbers) {
    std::string text;
    for (const std::int64_t number : numbers)
        text += (text.empty() ? "" : ", ") + std::to_string(number);
    return text;
}

}  // namespace

review::CoordinateSection coordinateSection(const coordinates::JobPositions& positions,
                                            LengthUnit unit) {
    review::CoordinateSection section;
    section.description = std::to_string(positions.points.size()) + " points, " +
                          std::string(coordinates::frameName(positions.frame)) + " frame, " +
                          (positions.crsCode ? *positions.crsCode : "no coordinate system") + ", " +
                          std::string(unitName(unit));
    const std::string inUnit = " (" + std::string(namesOf(unit).qualified) + ")";
    section.points.columns = {{"Point", CellAlign::Right},
                              {"Northing" + inUnit, CellAlign::Right},
                              {"Easting" + inUnit, CellAlign::Right},
                              {"Elevation" + inUnit, CellAlign::Right}};
    const bool withPrecision =
        std::any_of(positions.points.begin(), positions.points.end(),
                    [](const coordinates::PointPosition& p) { return p.precision.has_value(); });
    if (withPrecision) {
        for (const char* sigma : {"sN", "sE", "sZ"})
            section.points.columns.push_back({sigma, CellAlign::Right});
    }
    for (const coordinates::PointPosition& p : positions.points) {
        review::ReportRow row{{std::to_string(p.number), exports::lengthText(p.north),
                               exports::lengthText(p.east), exports::lengthText(p.elevation)},
                              false};
        if (p.precision) {
            for (const double sigma :
                 {p.precision->sigmaNorth, p.precision->sigmaEast, p.precision->sigmaElevation})
                row.cells.push_back(exports::fixedText(sigma, kSigmaDecimals));
        }
        section.points.rows.push_back(std::move(row));
    }
    return section;
}

std::vector<std::string> controlLines(const JobConfig& config,
                                      const coordinates::JobPositions& positions,
                                      const std::optional<coordinates::ControlTie>& tie) {
    using coordinates::PositionFrame;
    if (positions.frame == PositionFrame::Local)
        return {
            "None: the positions are in the job's local frame (the first setup at 0, 0, 0, "
            "its first backsight at azimuth 0)"};
    std::vector<std::string> lines;
    const coordinates::PlacementInput* placement = config.placement.get();
    const std::vector<coordinates::ControlPoint> none;
    const std::vector<coordinates::ControlPoint>& control = placement ? placement->control : none;
    lines.push_back("Control file: " +
                    (control.empty() ? std::string("none") : config.controlPath));
    if (placement && placement->start) {
        const coordinates::ManualStart& start = *placement->start;
        lines.push_back("Start by hand: N " + exports::lengthText(start.north) + ", E " +
                        exports::lengthText(start.east) + ", Z " +
                        exports::lengthText(start.elevation) + ", first backsight at azimuth " +
                        coordinates::azimuthText(start.azimuthDegrees));
    }
    lines.push_back("Coordinate system: " + (placement && placement->system
                                                 ? placement->system->code()
                                                 : std::string("none")));
    std::vector<std::int64_t> held;
    std::vector<std::int64_t> weighted;
    std::vector<std::int64_t> placing;
    const auto placed = [&](std::int64_t number) {
        if (!tie) return false;
        return std::any_of(tie->ties.begin(), tie->ties.end(), [&](const coordinates::GroupTie& g) {
            return std::find(g.controlUsed.begin(), g.controlUsed.end(), number) !=
                   g.controlUsed.end();
        });
    };
    for (const coordinates::ControlPoint& point : control) {
        if (positions.find(point.number) == nullptr) continue;  // not observed
        if (positions.frame == PositionFrame::TiedToControl) {
            if (placed(point.number)) placing.push_back(point.number);
        } else {
            (point.hold == coordinates::ControlHold::Fixed ? held : weighted)
                .push_back(point.number);
        }
    }
    if (positions.frame == PositionFrame::TiedToControl) {
        if (!placing.empty())
            lines.push_back("Control points placing the job: " + numberList(placing));
        return lines;
    }
    if (!held.empty()) lines.push_back("Held at their known positions: " + numberList(held));
    if (!weighted.empty())
        lines.push_back("Weighted by their standard deviations: " + numberList(weighted));
    return lines;
}

std::vector<std::string> outputsFound(const JobPaths& job) {
    std::vector<std::string> found;
    for (const std::string* path : {&job.obsPath, &job.trvPath, &job.pfPath}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(*path, error)) found.push_back(*path);
    }
    return found;
}

}  // namespace zendro
