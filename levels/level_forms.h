#pragma once

#include <string>

#include "common/length_unit.h"
#include "review/finding_text.h"

namespace zendro::levels {

// How a run's lengths are printed: readings and heights to the level's
// resolution (hundredths of a millimetre, ten-thousandths of a foot), sight
// lengths to the hundredth.
struct LevelForms {
    LengthUnit unit = LengthUnit::Metre;
    int heightPlaces = 5;
    int distancePlaces = 2;

    static LevelForms of(LengthUnit unit) { return {unit, isMetric(unit) ? 5 : 4, 2}; }

    std::string height(double value) const { return review::decimals(value, heightPlaces); }
    std::string distance(double value) const { return review::decimals(value, distancePlaces); }
    std::string symbol() const { return std::string(unitSymbol(unit)); }
    // "0.00123 m", "45.20 ft".
    std::string heightWithUnit(double value) const { return height(value) + " " + symbol(); }
    std::string distanceWithUnit(double value) const { return distance(value) + " " + symbol(); }
};

}  // namespace zendro::levels
