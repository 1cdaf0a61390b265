#include "cli/adjustment_flags.h"

#include <CLI/CLI.hpp>
#include <array>
#include <charconv>

#include "common/text_forms.h"

namespace zendro::cli {
namespace {

// "A,B": two numbers, not below 0.
std::optional<std::array<double, 2>> pairOf(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<double> first = finiteNumber(trimBlanks(text.substr(0, comma)));
    const std::optional<double> second = finiteNumber(trimBlanks(text.substr(comma + 1)));
    if (!first || !second || *first < 0 || *second < 0) return std::nullopt;
    return std::array<double, 2>{*first, *second};
}

// The shortest text that reads back as the value: "0.003", "5".
std::string numberTextOf(double value) {
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

CLI::Validator pairValidator(std::string flag, std::string form) {
    return CLI::Validator(
        [flag, form](const std::string& text) {
            return pairOf(text) ? std::string()
                                : flag + " takes " + form + ", two numbers not below 0: " + text;
        },
        "");
}

}  // namespace

adjustment::AprioriSigmas AdjustmentFlags::sigmas(LengthUnit unit) const {
    adjustment::AprioriSigmas sigmas = adjustment::defaultSigmas(unit);
    if (directionSeconds) sigmas.directionSeconds = *directionSeconds;
    if (zenithSeconds) sigmas.zenithSeconds = *zenithSeconds;
    if (distance) {
        const auto values = *pairOf(*distance);
        sigmas.distanceConstant = values[0];
        sigmas.distancePpm = values[1];
    }
    if (centring) {
        const auto values = *pairOf(*centring);
        sigmas.instrumentCentring = values[0];
        sigmas.targetCentring = values[1];
    }
    return sigmas;
}

void addAdjustmentFlags(CLI::App& app, AdjustmentFlags& flags) {
    const std::string group = "Adjustment";
    const adjustment::AprioriSigmas feet = adjustment::defaultSigmas(kDefaultFootUnit);
    const adjustment::AprioriSigmas meters = adjustment::defaultSigmas(LengthUnit::Metre);
    const auto both = [](double a, double b) {
        return numberTextOf(a) + " ft, " + numberTextOf(b) + " m";
    };
    app.add_flag("--adjust", flags.adjust,
                 "After the review, adjust the job by least squares (on its control, if given) "
                 "and print the adjustment report; the exports then write the adjusted positions")
        ->group(group);
    app.add_option("--sigma-direction", flags.directionSeconds,
                   "A priori standard deviation of a direction, seconds (default " +
                       numberTextOf(feet.directionSeconds) + ")")
        ->group(group)
        ->type_name("SECONDS")
        ->check(CLI::PositiveNumber.description(""));
    app.add_option("--sigma-zenith", flags.zenithSeconds,
                   "A priori standard deviation of a zenith angle, seconds (default " +
                       numberTextOf(feet.zenithSeconds) + ")")
        ->group(group)
        ->type_name("SECONDS")
        ->check(CLI::PositiveNumber.description(""));
    app.add_option("--sigma-distance", flags.distance,
                   "A priori standard deviation of a distance, A + PPM (default " +
                       both(feet.distanceConstant, meters.distanceConstant) + ", " +
                       numberTextOf(feet.distancePpm) + " ppm)")
        ->group(group)
        ->type_name("A,PPM")
        ->check(pairValidator("--sigma-distance", "A,PPM"));
    app.add_option("--sigma-centring", flags.centring,
                   "Centring of the instrument and of the target (default " +
                       both(feet.instrumentCentring, meters.instrumentCentring) + "; " +
                       both(feet.targetCentring, meters.targetCentring) + ")")
        ->group(group)
        ->type_name("INSTRUMENT,TARGET")
        ->check(pairValidator("--sigma-centring", "INSTRUMENT,TARGET"));
}

}  // namespace zendro::cli
