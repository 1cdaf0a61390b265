#pragma once

#include <string>

#include "common/length_unit.h"

namespace zendro {

// The run suffix of a job whose file name has no "-".
inline constexpr const char* kDefaultRunSuffix = "-99";

// The options of one run, as the window's controls or the command line give
// them; the defaults are the window's start-up values.
struct ConversionOptions {
    bool obsOnly = true;  // no TRV file
    LengthUnit unit = kDefaultFootUnit;  // metric: "METERS" instead of "FEET"
    std::string pointPrefix = "S";
    std::string curveCode = "*";
    std::string commentCode = ",";
    std::string runSuffix = kDefaultRunSuffix;  // appended to every chain name

    bool metric() const { return isMetric(unit); }
    std::string distanceUnit() const { return metric() ? "METERS" : "FEET"; }
};

}  // namespace zendro
