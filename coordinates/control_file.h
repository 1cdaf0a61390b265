#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zendro::coordinates {

// How a control point takes part in placing the job.
enum class ControlHold {
    Fixed,     // held at its known position
    Weighted,  // known within its standard deviations
};

struct ControlPoint {
    std::int64_t number = 0;  // the job's point number
    double north = 0;
    double east = 0;
    double elevation = 0;
    ControlHold hold = ControlHold::Fixed;
    std::optional<double> sigmaHorizontal;  // north and east, weighted points only
    std::optional<double> sigmaElevation;   // the horizontal one when not given
    std::size_t line = 0;                   // 1-based, for messages
};

// Reads a control file: lines `name,N,E,Z[,fixed|free[,sigma_NE[,sigma_Z]]]`,
// comma or whitespace separated, `#` starting a comment, an optional header
// line first. The name is the job's point number. Throws ZendroError naming
// `path`, the line and the cause at the first bad line, so a file is taken
// whole or not at all.
std::vector<ControlPoint> readControlFile(std::string_view path, std::string_view bytes);

}  // namespace zendro::coordinates
