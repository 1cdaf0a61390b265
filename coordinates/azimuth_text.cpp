#include "coordinates/azimuth_text.h"

#include <algorithm>
#include <cstdio>
#include <cmath>

#include "common/text_forms.h"

namespace zendro::coordinates {
namespace {

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<double> azimuthFromText(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string fraction(point == std::string_view::npos ? "" : text.substr(point + 1));
    if (whole.empty() || whole.size() > 3 || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    // Two digits of minutes and two of seconds; further digits are decimals of a second.
    if (fraction.size() < 4) fraction.append(4 - fraction.size(), '0');
    const int degrees = std::stoi(std::string(whole));
    const int minutes = std::stoi(fraction.substr(0, 2));
    const std::optional<double> seconds =
        finiteNumber(fraction.substr(2, 2) + "." + fraction.substr(4) + "0");
    if (degrees >= 360 || minutes >= 60 || !seconds || *seconds >= 60) return std::nullopt;
    return degrees + minutes / 60.0 + *seconds / 3600.0;
}

std::string azimuthText(double degrees) {
    // Rounded to the tenth of a second first, so 59.96" carries into the minute.
    long long tenths = std::llround(degrees * 36000.0) % (360LL * 36000);
    if (tenths < 0) tenths += 360LL * 36000;
    const long long whole = tenths / 36000;
    const long long minutes = tenths / 600 % 60;
    const long long secondTenths = tenths % 600;
    char text[16];
    const int written = std::snprintf(text, sizeof text, "%lld.%02lld%02lld%lld", whole, minutes,
                                      secondTenths / 10, secondTenths % 10);
    return std::string(text, static_cast<std::size_t>(written));
}

}  // namespace zendro::coordinates
