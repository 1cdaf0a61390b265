#pragma once

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace zendro::cli {

// How zendro-convert places a job: on a control file, from a start keyed by
// hand, and in a coordinate reference system. The texts are checked for their
// form here; the control file is read and the system looked up before any job
// is converted.
struct PlacementFlags {
    std::string controlPath;
    std::optional<std::string> start;    // "N,E,Z"
    std::optional<std::string> azimuth;  // "DDD.MMSS"
    std::string crsCode;                 // "EPSG:NNNN"

    bool wanted() const { return !controlPath.empty() || start.has_value(); }
};

void addPlacementFlags(CLI::App& app, PlacementFlags& flags);

}  // namespace zendro::cli
