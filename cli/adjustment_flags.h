#pragma once

#include <optional>
#include <string>

#include "adjustment/apriori_sigmas.h"

namespace CLI {
class App;
}

namespace zendro::cli {

// `--adjust` and the a priori standard deviations it weighs by. Values not
// given take the defaults of the job's unit.
struct AdjustmentFlags {
    bool adjust = false;
    std::optional<double> directionSeconds;
    std::optional<double> zenithSeconds;
    std::optional<std::string> distance;  // "A,PPM"
    std::optional<std::string> centring;  // "INSTRUMENT,TARGET"

    adjustment::AprioriSigmas sigmas(LengthUnit unit) const;
};

void addAdjustmentFlags(CLI::App& app, AdjustmentFlags& flags);

}  // namespace zendro::cli
