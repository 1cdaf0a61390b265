#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zendro::coordinates {

// How a control point takes part in placing the job.
enum class ControlHold {
    Fixed,     // held at its known position
    Weighted,  // known within its standard deviations
};

inline constexpr std::int64_t kNoPointNumber = -1;

struct ControlPoint {
    std::int64_t number = 0;  // the job's point number; kNoPointNumber for a named benchmark
    std::string name;         // as the file writes it: a level run's point id
    double north = 0;
    double east = 0;
    double elevation = 0;
    bool horizontal = true;  // false for a vertical benchmark: its north and east are unknown
    ControlHold hold = ControlHold::Fixed;
    std::optional<double> sigmaHorizontal;  // north and east, weighted points only
    std::optional<double> sigmaElevation;   // the horizontal one when not given
    std::size_t line = 0;                   // 1-based, for messages
    // Where a height that no control line gives came from ("level run
    // RUN.DAT"), for messages; empty for a line of the control file.
    std::string source;
};

// The job's point number a name stands for: digits alone, else none.
std::optional<std::int64_t> pointNumberOf(std::string_view name);

// Reads a control file: lines `name,N,E,Z[,fixed|free[,sigma_NE[,sigma_Z]]]`,
// comma or whitespace separated, `#` starting a comment, an optional header
// line first. The name is the job's point number. A line `name,,,Z[,fixed|
// free[,sigma_Z]]` (commas only) is a vertical benchmark, its name any point
// id of a level run. Throws ZendroError naming `path`, the line and the cause
// at the first bad line, so a file is taken whole or not at all.
std::vector<ControlPoint> readControlFile(std::string_view path, std::string_view bytes);

}  // namespace zendro::coordinates
