#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/length_unit.h"

namespace zendro::coordinates {

// A WGS 84 position in decimal degrees.
struct GeographicPosition {
    double latitude = 0;
    double longitude = 0;
};

// "EPSG:" (any case) and the code's digits: the form a system is given in.
bool isEpsgCode(std::string_view code);

// A projected coordinate reference system known to PROJ by its code
// ("EPSG:2227"). The grid's axis order is taken care of here: callers always
// speak north and east, and latitude and longitude.
class CoordinateSystem {
  public:
    // Throws ZendroError naming the code and the cause (unknown code, not a
    // projected system).
    static CoordinateSystem fromCode(std::string_view code);

    CoordinateSystem(CoordinateSystem&&) noexcept;
    CoordinateSystem& operator=(CoordinateSystem&&) noexcept;
    ~CoordinateSystem();

    const std::string& code() const;  // as given, upper case: "EPSG:2227"
    const std::string& name() const;  // PROJ's name of it
    // The unit of its easting and northing; none for a unit other than
    // metres or either foot.
    std::optional<LengthUnit> unit() const;

    // The grid position on WGS 84. Throws ZendroError when PROJ cannot
    // transform it.
    GeographicPosition toWgs84(double north, double east) const;

    // Refuses a job whose unit is not the system's: feet against meters, and
    // one foot against the other. Throws ZendroError naming both units.
    void checkJobUnit(LengthUnit jobUnit) const;

  private:
    struct State;
    explicit CoordinateSystem(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace zendro::coordinates
