#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/text_forms.h"

namespace zendro::review {

// "HVD record 12, setup on 4, point 1001: " with any part left out when unknown.
inline std::string findingSubject(std::optional<std::size_t> record,
                                  std::optional<std::int64_t> point,
                                  std::optional<std::int64_t> setup = std::nullopt) {
    std::string text;
    if (record) text += "HVD record " + std::to_string(*record);
    if (setup) text += (text.empty() ? "setup on " : ", setup on ") + std::to_string(*setup);
    if (point) text += (text.empty() ? "point " : ", point ") + std::to_string(*point);
    return text.empty() ? text : text + ": ";
}

// The end of a measured check's line: within its limit, or over it with what to do.
inline std::string verdictText(bool over, std::string_view advice) {
    return over ? ": OVER LIMIT, " + std::string(advice) : std::string(": within limit");
}

// The conversion's fixed form with `places` decimals (locale-free, half away
// from zero), never "-0.000".
inline std::string decimals(double value, int places) {
    std::string text(std::string_view(fixedPlaces(value, places, 1)));
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

}  // namespace zendro::review
