#include "review/limit_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace zendro::review {
namespace {

using enum LimitUnit;

constexpr std::array kLimits = {
    LimitDefinition{&ReviewLimits::closureRatio, "Traverse precision 1:N",
                    "--limit-closure-ratio", Ratio, 10000, 10000, 1, 1e9, 0},
    LimitDefinition{&ReviewLimits::closureElevation, "Vertical misclosure",
                    "--limit-closure-elevation", Length, 0.10, 0.03, 0, 1000, 3},
    LimitDefinition{&ReviewLimits::backsightDistance, "Backsight distance",
                    "--limit-backsight-distance", Length, 0.05, 0.015, 0, 1000, 3},
    LimitDefinition{&ReviewLimits::backsightElevation, "Backsight elevation difference",
                    "--limit-backsight-elevation", Length, 0.05, 0.015, 0, 1000, 3},
    LimitDefinition{&ReviewLimits::faceHorizontalSeconds, "Face pair horizontal difference",
                    "--limit-face-horizontal", Seconds, 20, 20, 0, 3600, 1},
    LimitDefinition{&ReviewLimits::faceIndexSeconds, "Face pair vertical index error",
                    "--limit-face-index", Seconds, 20, 20, 0, 3600, 1},
    LimitDefinition{&ReviewLimits::faceDistance, "Face pair distance difference",
                    "--limit-face-distance", Length, 0.03, 0.01, 0, 1000, 3},
    LimitDefinition{&ReviewLimits::checkShotDistance, "Check shot: distance between positions",
                    "--limit-check-shot", Length, 0.05, 0.015, 0, 1000, 3},
    LimitDefinition{&ReviewLimits::checkShotElevation, "Check shot: elevation difference",
                    "--limit-check-shot-elevation", Length, 0.05, 0.015, 0, 1000, 3},
    LimitDefinition{&ReviewLimits::controlHorizontal, "Control point: horizontal difference",
                    "--limit-control", Length, 0.05, 0.015, 0, 1000, 3},
    LimitDefinition{&ReviewLimits::controlElevation, "Control point: elevation difference",
                    "--limit-control-elevation", Length, 0.05, 0.015, 0, 1000, 3},
    LimitDefinition{&ReviewLimits::controlBacksightSeconds, "Backsight on control: direction",
                    "--limit-control-direction", Seconds, 20, 20, 0, 3600, 1},
    LimitDefinition{&ReviewLimits::angularMisclosureK, "Angular misclosure K (K x sqrt(n))",
                    "--limit-angular-k", Seconds, 10, 10, 0, 3600, 1},
    LimitDefinition{&ReviewLimits::blunderResidual, "Standardized residual for a blunder",
                    "--limit-blunder", Factor, 3.29, 3.29, 1, 100, 2},
    // Conservative third-order practice, as state highway manuals set it for
    // digital levels; a project asking for more gives its own on the command line.
    LimitDefinition{nullptr, "Line or loop misclosure k (k x sqrt(K))", "--limit-level-misclosure",
                    RootLength, 0.05, 12, 0, 1000, 3, LimitGroup::Level,
                    &LevelLimits::misclosureK},
    LimitDefinition{nullptr, "Setup sight imbalance", "--limit-setup-imbalance", Length, 15, 5, 0,
                    1000, 2, LimitGroup::Level, &LevelLimits::setupImbalance},
    LimitDefinition{nullptr, "Line sight imbalance at its end", "--limit-line-imbalance", Length,
                    30, 10, 0, 10000, 2, LimitGroup::Level, &LevelLimits::lineImbalance},
    LimitDefinition{nullptr, "Longest sight", "--limit-longest-sight", Length, 200, 60, 0, 10000,
                    1, LimitGroup::Level, &LevelLimits::longestSight},
    LimitDefinition{nullptr, "Lowest staff reading", "--limit-lowest-reading", Length, 1.5, 0.5, 0,
                    100, 2, LimitGroup::Level, &LevelLimits::lowestReading},
    LimitDefinition{nullptr, "Double-read setup: its two height differences",
                    "--limit-double-difference", FineLength, 0.002, 0.7, 0, 1000, 4,
                    LimitGroup::Level, &LevelLimits::doubleDifference},
    LimitDefinition{nullptr, "Readings marked e per line", "--limit-marked-readings", Factor, 0, 0,
                    0, 100000, 0, LimitGroup::Level, &LevelLimits::markedReadings},
    LimitDefinition{nullptr, "Level network: standardized residual for a blunder",
                    "--limit-level-blunder", Factor, 3.29, 3.29, 1, 100, 2, LimitGroup::Level,
                    &LevelLimits::blunderResidual},
};

constexpr bool groupedInOrder() {
    for (std::size_t i = 1; i < kLimits.size(); ++i)
        if (kLimits[i].group < kLimits[i - 1].group) return false;
    return true;
}
static_assert(groupedInOrder(), "each group of limits is one run of rows");

// Miles of 5280 feet of the run's own foot.
constexpr double kFeetPerMile = 5280;
constexpr double kMetresPerKilometre = 1000;
constexpr double kMillimetresPerMetre = 1000;

}  // namespace

std::span<const LimitDefinition> limitTable(LimitGroup group) {
    const auto first = std::find_if(kLimits.begin(), kLimits.end(),
                                    [group](const LimitDefinition& row) { return row.group == group; });
    const auto end = std::find_if(first, kLimits.end(),
                                  [group](const LimitDefinition& row) { return row.group != group; });
    return {first, end};
}

LevelLimits defaultLevelLimits(LengthUnit unit) {
    LevelLimits limits;
    for (const LimitDefinition& limit : limitTable(LimitGroup::Level))
        limits.*limit.levelField = isMetric(unit) ? limit.meterDefault : limit.feetDefault;
    return limits;
}

double fineLengthInUnit(double value, LengthUnit unit) {
    return isMetric(unit) ? value / kMillimetresPerMetre : value;
}

double rootLengthAllowance(double k, double length, LengthUnit unit) {
    if (isMetric(unit)) return k / kMillimetresPerMetre * std::sqrt(length / kMetresPerKilometre);
    return k * std::sqrt(length / kFeetPerMile);
}

std::string_view unitSymbol(LimitUnit unit, LengthUnit length) {
    switch (unit) {
        case Length:
            return zendro::unitSymbol(length);
        case Seconds:
            return "\"";
        case Ratio:
            return "1:N";
        case Factor:
            return "";
        case FineLength:
            return isMetric(length) ? "mm" : zendro::unitSymbol(length);
        case RootLength:
            return isMetric(length) ? "mm/sqrt(km)" : "ft/sqrt(mi)";
    }
    return "";
}

std::string limitText(const LimitDefinition& limit, double value, LengthUnit length) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const std::string number(digits, end);
    switch (limit.unit) {
        case Length:
            return number + " " + std::string(unitSymbol(Length, length));
        case Seconds:
            return number + "\"";
        case Ratio:
            return "1:" + number;
        case Factor:
            return number;
        case FineLength:
        case RootLength:
            return number + " " + std::string(unitSymbol(limit.unit, length));
    }
    return number;
}

}  // namespace zendro::review
