#pragma once

#include <functional>
#include <string>

namespace zendro {

struct HeaderDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Asked once for every header line that prints the date or the time.
using HeaderClock = std::function<HeaderDateTime()>;

// The instant SOURCE_DATE_EPOCH names, in UTC, when that variable is set (so
// outputs are reproducible); otherwise the local current time.
HeaderClock defaultHeaderClock();
HeaderClock fixedHeaderClock(HeaderDateTime when);

std::string headerDate(const HeaderDateTime& when);  // mm-dd-yyyy
std::string headerTime(const HeaderDateTime& when);  // hh:mm:ss, 24-hour clock

}  // namespace zendro
