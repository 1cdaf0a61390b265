#include "review/limit_table.h"

#include <array>
#include <charconv>

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
};

}  // namespace

std::span<const LimitDefinition> limitTable() { return kLimits; }

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
    }
    return number;
}

}  // namespace zendro::review
