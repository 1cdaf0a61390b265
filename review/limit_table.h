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
    // Level runs: a small length in millimetres for a run in meters, in the
    // run's feet otherwise; and the k of an allowance k x sqrt(K), in mm per
    // root kilometre or feet per root mile (the forms levelling manuals use).
    FineLength,
    RootLength,
};

// Which check a limit belongs to: the job review of total-station jobs, or the
// level runs. Each group is its own part of the table, in this order.
enum class LimitGroup { Review, Level };

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
    LimitGroup group = LimitGroup::Review;
    // A level limit's place in LevelLimits; `field` is null for those rows.
    double LevelLimits::*levelField = nullptr;
};

// The rows of one group, in the order the flags, the help and the README list them.
std::span<const LimitDefinition> limitTable(LimitGroup group = LimitGroup::Review);

// The level limits' defaults for a run in feet, or in meters.
LevelLimits defaultLevelLimits(LengthUnit unit);

// A FineLength limit in the run's unit (millimetres to meters).
double fineLengthInUnit(double value, LengthUnit unit);

// The allowance k x sqrt(K) of a line `length` long in the run's unit, in that
// unit: K in kilometres for meters, in miles (5280 of the run's feet) for feet.
double rootLengthAllowance(double k, double length, LengthUnit unit);

// "ft" or "m" for a length, "\"" for seconds, "1:N" for a ratio, "" for a
// factor, "mm" or "ft" for a fine length, "mm/sqrt(km)" or "ft/sqrt(mi)".
std::string_view unitSymbol(LimitUnit unit, LengthUnit length);

// A value of the limit with its unit, locale-free and without trailing zeros:
// "0.05 ft", "0.015 m", "20\"", "1:10000", "12 mm/sqrt(km)".
std::string limitText(const LimitDefinition& limit, double value, LengthUnit length);

}  // namespace zendro::review
