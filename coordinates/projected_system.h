#pragma once

#include <optional>
#include <string>

#include "common/length_unit.h"

namespace zendro::coordinates {

// A projected coordinate system as PROJ knows it. PROJ and the libraries it
// brings (a network client, a database) take longer to load than a small job
// takes to convert, so they live in a module of their own that a program loads
// only when a system is named: this is what the module makes.
class ProjectedSystem {
  public:
    virtual ~ProjectedSystem() = default;
    virtual const std::string& code() const = 0;  // upper case: "EPSG:2227"
    virtual const std::string& name() const = 0;
    // The unit of its easting and northing; none for another unit.
    virtual std::optional<LengthUnit> unit() const = 0;
    // Longitude and latitude of a grid position, or false when PROJ cannot
    // transform it (nothing is thrown across the module's edge).
    virtual bool toWgs84(double north, double east, double& latitude, double& longitude) const = 0;
};

// The module's one entry point, by this name: a system for `code` (upper case
// EPSG:NNNN), or null with `error` naming the code and the cause.
inline constexpr char kProjectedSystemEntry[] = "zendroProjectedSystem";
using ProjectedSystemEntry = ProjectedSystem* (*)(const std::string& code, std::string& error);

}  // namespace zendro::coordinates
