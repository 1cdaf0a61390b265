#pragma once

#include <optional>
#include <string_view>

namespace zendro::coordinates {

// A start keyed by hand: the first station's position and the azimuth of the
// first backsight, which the local frame takes as 0.
struct ManualStart {
    double north = 0;
    double east = 0;
    double elevation = 0;
    double azimuthDegrees = 0;
};

// "N,E,Z": three numbers, blanks allowed around each. The azimuth is left 0.
std::optional<ManualStart> startPositionFromText(std::string_view text);

// The start of "N,E,Z" and "DDD.MMSS"; nothing when either is not of its form.
std::optional<ManualStart> manualStartFromText(std::string_view position,
                                               std::string_view azimuth);

}  // namespace zendro::coordinates
