#include "conversion/header_clock.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace zendro {
namespace {

// 9999-12-31 23:59:59 UTC, the last instant a four-digit year can show.
constexpr std::int64_t kLastEpochSecond = 253402300799;

HeaderDateTime fromTm(const std::tm& t) {
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

std::optional<std::int64_t> epochSeconds(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        // Checked after every digit, so the value never grows past the limit times ten.
        value = value * 10 + (c - '0');
        if (value > kLastEpochSecond) return std::nullopt;
    }
    return value;
}

std::string twoDigits(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value % 100);
    return buffer;
}

}  // namespace

std::optional<HeaderDateTime> epochDateTime(std::string_view seconds) {
    const std::optional<std::int64_t> value = epochSeconds(seconds);
    if (!value) return std::nullopt;
    const auto epoch = static_cast<std::time_t>(*value);
    std::tm utc{};
    if (gmtime_r(&epoch, &utc) == nullptr) return std::nullopt;
    return fromTm(utc);
}

HeaderClock defaultHeaderClock(RunObserver& observer) {
    const char* variable = std::getenv("SOURCE_DATE_EPOCH");
    if (variable != nullptr && *variable != '\0') {
        if (const std::optional<HeaderDateTime> when = epochDateTime(variable)) {
            return fixedHeaderClock(*when);
        }
        observer.warning(std::string("SOURCE_DATE_EPOCH \"") + variable +
                         "\" is not a whole number of seconds within the years 1970 to 9999; "
                         "the local time is used");
    }
    return [] {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return fromTm(local);
    };
}

HeaderClock fixedHeaderClock(HeaderDateTime when) {
    return [when] { return when; };
}

std::string headerDate(const HeaderDateTime& when) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", when.year % 10000);
    return twoDigits(when.month) + "-" + twoDigits(when.day) + "-" + buffer;
}

std::string isoDate(const HeaderDateTime& when) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", when.year % 10000);
    return std::string(buffer) + "-" + twoDigits(when.month) + "-" + twoDigits(when.day);
}

std::string headerTime(const HeaderDateTime& when) {
    return twoDigits(when.hour) + ":" + twoDigits(when.minute) + ":" + twoDigits(when.second);
}

}  // namespace zendro
