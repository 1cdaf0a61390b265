// The input as a SOURCE_DATE_EPOCH value: taken exactly when it is a whole
// number of seconds up to the end of 9999, and then shown as that instant.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <initializer_list>
#include <optional>
#include <string>

#include "conversion/header_clock.h"
#include "fuzz/fuzz_check.h"

namespace {

using zendro::fuzz::require;

// Decided on the digits as text, without arithmetic that could overflow.
bool namesAnInstant(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    const std::string_view digits = text.substr(std::min(text.find_first_not_of('0'), text.size()));
    constexpr std::string_view kLast = "253402300799";
    return digits.size() < kLast.size() || (digits.size() == kLast.size() && digits <= kLast);
}

bool digitsAt(const std::string& text, std::initializer_list<std::size_t> positions) {
    for (const std::size_t at : positions) {
        if (at >= text.size() || text[at] < '0' || text[at] > '9') return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = zendro::fuzz::asBytes(data, size);
    const std::optional<zendro::HeaderDateTime> when = zendro::epochDateTime(text);
    require(when.has_value() == namesAnInstant(text), "taken exactly when it names an instant");
    if (!when) return 0;

    const std::string date = zendro::headerDate(*when);
    const std::string time = zendro::headerTime(*when);
    require(date.size() == 10 && date[2] == '-' && date[5] == '-' &&
                digitsAt(date, {0, 1, 3, 4, 6, 7, 8, 9}),
            "the date is mm-dd-yyyy");
    require(time.size() == 8 && time[2] == ':' && time[5] == ':' && digitsAt(time, {0, 1, 3, 4, 6, 7}),
            "the time is hh:mm:ss");

    std::tm utc{};
    utc.tm_year = when->year - 1900;
    utc.tm_mon = when->month - 1;
    utc.tm_mday = when->day;
    utc.tm_hour = when->hour;
    utc.tm_min = when->minute;
    utc.tm_sec = when->second;
    require(std::to_string(timegm(&utc)) == std::string(text.substr(std::min(
                                                text.find_first_not_of('0'), text.size() - 1))),
            "the date and time are the instant the value names");
    return 0;
}
