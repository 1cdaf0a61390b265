#include "coordinates/manual_start.h"

#include <array>

#include "common/text_forms.h"
#include "coordinates/azimuth_text.h"

namespace zendro::coordinates {

std::optional<ManualStart> startPositionFromText(std::string_view text) {
    std::array<double, 3> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t comma = text.find(',');
        const bool last = i + 1 == values.size();
        if (last != (comma == std::string_view::npos)) return std::nullopt;
        const std::optional<double> value = finiteNumber(trimBlanks(text.substr(0, comma)));
        if (!value) return std::nullopt;
        values[i] = *value;
        if (!last) text.remove_prefix(comma + 1);
    }
    return ManualStart{values[0], values[1], values[2], 0};
}

std::optional<ManualStart> manualStartFromText(std::string_view position,
                                               std::string_view azimuth) {
    std::optional<ManualStart> start = startPositionFromText(position);
    const std::optional<double> degrees = azimuthFromText(azimuth);
    if (!start || !degrees) return std::nullopt;
    start->azimuthDegrees = *degrees;
    return start;
}

}  // namespace zendro::coordinates
