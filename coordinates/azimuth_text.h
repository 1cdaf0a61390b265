#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zendro::coordinates {

// An azimuth keyed as surveyors write it, DDD.MMSS: "45.3015" is 45 degrees 30
// minutes 15 seconds, "45.3" is 45 30 00, "45.301525" is 45 30 15.25. Minutes
// and seconds must be below 60 and the azimuth below 360. Nothing when the
// text is not such an azimuth.
std::optional<double> azimuthFromText(std::string_view text);

// The azimuth in decimal degrees as DDD.MMSS with tenths of a second,
// "45.30152": 0 <= DDD < 360.
std::string azimuthText(double degrees);

}  // namespace zendro::coordinates
