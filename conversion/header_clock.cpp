#include "conversion/header_clock.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace zendro {
namespace {

HeaderDateTime fromTm(const std::tm& t) {
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

bool parseEpoch(const char* text, std::time_t& out) {
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == nullptr || *end != '\0') return false;
    out = static_cast<std::time_t>(value);
    return true;
}

std::string twoDigits(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value % 100);
    return buffer;
}

}  // namespace

HeaderClock defaultHeaderClock() {
    std::time_t epoch = 0;
    if (parseEpoch(std::getenv("SOURCE_DATE_EPOCH"), epoch)) {
        std::tm utc{};
        gmtime_r(&epoch, &utc);
        return fixedHeaderClock(fromTm(utc));
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

std::string headerTime(const HeaderDateTime& when) {
    return twoDigits(when.hour) + ":" + twoDigits(when.minute) + ":" + twoDigits(when.second);
}

}  // namespace zendro
