#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zendro::review {

// "HVD record 12, point 1001: " with either part left out when unknown.
inline std::string findingSubject(std::optional<std::size_t> record,
                                  std::optional<std::int64_t> point) {
    std::string text;
    if (record) text += "HVD record " + std::to_string(*record);
    if (point) text += (text.empty() ? "point " : ", point ") + std::to_string(*point);
    return text.empty() ? text : text + ": ";
}

// Locale-free, never "-0.000".
inline std::string decimals(double value, int places) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, places);
    std::string text(buffer.data(), result.ptr);
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

}  // namespace zendro::review
