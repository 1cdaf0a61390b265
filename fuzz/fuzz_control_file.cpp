// The input as a control file: read whole or refused with a message.

#include <cmath>
#include <cstddef>
#include <cstdint>
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
        std::unordered_set<std::int64_t> numbers;
        for (const auto& point : points) {
            require(numbers.insert(point.number).second, "no point twice");
            require(std::isfinite(point.north) && std::isfinite(point.east) &&
                        std::isfinite(point.elevation),
                    "positions are finite");
            const bool weighted = point.hold == zendro::coordinates::ControlHold::Weighted;
            require(weighted == point.sigmaHorizontal.has_value(), "deviations for free points only");
            require(!weighted || (*point.sigmaHorizontal > 0 && *point.sigmaElevation > 0),
                    "deviations above 0");
        }
    } catch (const zendro::ZendroError& error) {
        require(std::string_view(error.what()).rfind("control.csv: ", 0) == 0,
                "the message names the file");
    }
    return 0;
}
