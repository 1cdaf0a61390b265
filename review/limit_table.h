#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/length_unit.h"
#include "review/review_limits.h"

namespace zendro::review {

// What a limit measures, which decides the unit it is shown in.
enum class LimitUnit {
    Length,   // the job's distance unit: ft or m
    Seconds,  // of arc
    Ratio,    // the N of a precision 1:N
    Factor,   // a plain number, as a standardized residual
};

// One review limit: the one place its name, flag, unit, defaults and range are
// written. The defaults, the command line's flags and help, the window's form
// and the README's table all follow this table.
struct LimitDefinition {
    double ReviewLimits::*field;
    std::string_view label;  // as the window and the README name it
    std::string_view flag;   // the command line's option
    LimitUnit unit;
    double feetDefault;
    double meterDefault;
    double minimum;
    double maximum;
    int decimals;  // shown in the window's form
};

std::span<const LimitDefinition> limitTable();

// "ft" or "m" for a length, "\"" for seconds, "1:N" for a ratio, "" for a factor.
std::string_view unitSymbol(LimitUnit unit, LengthUnit length);

// A value of the limit with its unit, locale-free and without trailing zeros:
// "0.05 ft", "0.015 m", "20\"", "1:10000".
std::string limitText(const LimitDefinition& limit, double value, LengthUnit length);

}  // namespace zendro::review
