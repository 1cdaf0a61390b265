// The input as a control file: read whole or refused with a message.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>

#include "common/errors.h"
#include "coordinates/control_file.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zendro::fuzz::require;
    try {
        const auto points = zendro::coordinates::readControlFile("control.csv",
                                                                 zendro::fuzz::asBytes(data, size));
        require(!points.empty(), "a file read has points");
        std::unordered_set<std::string> names;
        for (const auto& point : points) {
            const bool numbered = point.number != zendro::coordinates::kNoPointNumber;
            require(numbered || !point.horizontal, "only a benchmark goes by a name");
            require(names.insert(numbered ? std::to_string(point.number) : point.name).second,
                    "no point twice");
            require(std::isfinite(point.north) && std::isfinite(point.east) &&
                        std::isfinite(point.elevation),
                    "positions are finite");
            const bool weighted = point.hold == zendro::coordinates::ControlHold::Weighted;
            require(weighted == point.sigmaElevation.has_value(), "deviations for free points only");
            require(point.horizontal ? weighted == point.sigmaHorizontal.has_value()
                                     : !point.sigmaHorizontal,
                    "a horizontal deviation for free points with north and east only");
            require(!weighted || *point.sigmaElevation > 0, "deviations above 0");
        }
    } catch (const zendro::ZendroError& error) {
        require(std::string_view(error.what()).rfind("control.csv: ", 0) == 0,
                "the message names the file");
    }
    return 0;
}
