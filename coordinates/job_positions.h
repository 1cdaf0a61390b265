#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zendro::coordinates {

// Which positions a job's points carry: what the exports name in each file
// and the window offers as a choice.
enum class PositionFrame {
    Local,          // first setup at 0,0,0, first backsight at azimuth 0
    TiedToControl,  // placed from control points or a start given by hand
    Adjusted,       // the least-squares adjustment's
};

// "local", "tied to control", "adjusted".
std::string_view frameName(PositionFrame frame);

// How well an adjusted point is determined, in the job's distance unit.
struct PointPrecision {
    double sigmaNorth = 0;
    double sigmaEast = 0;
    double sigmaElevation = 0;
    // The 95% confidence ellipse: semi-axes and the azimuth of the major one.
    double ellipseMajor = 0;
    double ellipseMinor = 0;
    double ellipseAzimuthDegrees = 0;
};

struct PointPosition {
    std::int64_t number = 0;
    double north = 0;
    double east = 0;
    double elevation = 0;
    bool station = false;   // occupied by a setup
    bool taped = false;     // placed from its taped distance and direction
    std::size_t group = 0;  // points tied together; a setup that cannot be tied starts another
    std::optional<PointPrecision> precision;  // adjusted positions only, where determined
};

// Every positioned point of one job, in the order first observed, with the
// distance unit of the job (feet or meters).
struct JobPositions {
    PositionFrame frame = PositionFrame::Local;
    std::vector<PointPosition> points;
    std::optional<std::string> crsCode;  // "EPSG:2227" when a system is set

    const PointPosition* find(std::int64_t number) const;
    // Call after changing `points`.
    void reindex();

  private:
    std::unordered_map<std::int64_t, std::size_t> indexOfPoint_;
};

}  // namespace zendro::coordinates
