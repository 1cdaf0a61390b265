#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/text_forms.h"

namespace zendro::review {

// "HVD record 12, point 1001: " with either part left out when unknown.
inline std::string findingSubject(std::optional<std::size_t> record,
                                  std::optional<std::int64_t> point) {
    std::string text;
    if (record) text += "HVD record " + std::to_string(*record);
    if (point) text += (text.empty() ? "point " : ", point ") + std::to_string(*point);
    return text.empty() ? text : text + ": ";
}

// Locale-free, rounded half away from zero, never "-0.000".
inline std::string decimals(double value, int places) { return fixedPlaces(value, places, 1); }

}  // namespace zendro::review
