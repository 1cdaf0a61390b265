#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/run_observer.h"

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

// The UTC instant of a SOURCE_DATE_EPOCH value: a whole number of seconds from
// 1970-01-01 00:00:00 to 9999-12-31 23:59:59, decimal digits only. A sign, a
// blank, any other character or a later instant gives none, since the header
// date has four year digits.
std::optional<HeaderDateTime> epochDateTime(std::string_view seconds);

// The instant SOURCE_DATE_EPOCH names, when that variable is set (so outputs
// are reproducible); otherwise the local current time. A value that names no
// instant is refused with a warning to `observer`; an empty one counts as unset.
HeaderClock defaultHeaderClock(RunObserver& observer);
HeaderClock fixedHeaderClock(HeaderDateTime when);

std::string headerDate(const HeaderDateTime& when);  // mm-dd-yyyy
// yyyy-mm-dd, which no reader takes for another day: the job report's date.
std::string isoDate(const HeaderDateTime& when);
std::string headerTime(const HeaderDateTime& when);  // hh:mm:ss, 24-hour clock

}  // namespace zendro
