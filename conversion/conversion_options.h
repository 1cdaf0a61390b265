#pragma once

#include <string>

namespace zendro {

// The options of one run, as the window's controls or the command line give them.
struct ConversionOptions {
    bool obsOnly = true;  // no TRV file
    bool metric = false;  // "METERS" instead of "FEET"
    std::string pointPrefix = "S";
    std::string curveCode = "*";
    std::string commentCode = ",";
    std::string runSuffix = "-99";  // appended to every chain name

    std::string distanceUnit() const { return metric ? "METERS" : "FEET"; }
};

}  // namespace zendro
