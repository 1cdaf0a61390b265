#pragma once

#include <optional>
#include <string_view>

namespace zendro {

// The unit a job's lengths are in. The field files do not say which foot: a
// job in feet is in US survey feet unless the crew says international feet
// (the US survey foot was retired for new coordinate work at the end of
// 2022, so both are met in the field).
enum class LengthUnit { Metre, UsSurveyFoot, InternationalFoot };

inline constexpr LengthUnit kDefaultFootUnit = LengthUnit::UsSurveyFoot;

constexpr bool isMetric(LengthUnit unit) { return unit == LengthUnit::Metre; }

// The unit of a job in feet or in metres, as the window's English/Metric and
// the command line's --metric choose, with the foot the crew works in.
constexpr LengthUnit jobUnit(bool metric, LengthUnit foot = kDefaultFootUnit) {
    return metric ? LengthUnit::Metre : foot;
}

// Metres in one unit: 1, 1200/3937 (exactly, by its definition) and 0.3048.
constexpr double metresPer(LengthUnit unit) {
    switch (unit) {
        case LengthUnit::Metre: return 1.0;
        case LengthUnit::UsSurveyFoot: return 1200.0 / 3937.0;
        case LengthUnit::InternationalFoot: return 0.3048;
    }
    return 1.0;
}

// How each file format and text names the unit.
struct LengthUnitNames {
    std::string_view plural;     // prose: "US survey feet"
    std::string_view symbol;     // beside a number where the unit is named elsewhere: "ft"
    std::string_view qualified;  // beside a number that stands alone: "US ft"
    std::string_view landXml;    // LandXML 1.2 linearUnit: "USSurveyFoot"
    int dxfInsUnits;             // DXF $INSUNITS: 21 US survey feet, 2 feet, 6 metres
    std::string_view ogrName;    // OGR's linear unit name (SRS_UL_*)
    std::string_view option;     // the command line's and the settings' word: "us"
};

constexpr LengthUnitNames namesOf(LengthUnit unit) {
    switch (unit) {
        case LengthUnit::Metre: return {"meters", "m", "m", "meter", 6, "metre", "metric"};
        case LengthUnit::UsSurveyFoot:
            return {"US survey feet", "ft", "US ft", "USSurveyFoot", 21, "US survey foot", "us"};
        case LengthUnit::InternationalFoot:
            return {"international feet", "ft", "intl ft", "foot", 2, "foot", "international"};
    }
    return {};
}

constexpr std::string_view unitName(LengthUnit unit) { return namesOf(unit).plural; }
constexpr std::string_view unitSymbol(LengthUnit unit) { return namesOf(unit).symbol; }

// The foot "us" or "international" names (any case); nothing for another word.
std::optional<LengthUnit> footNamed(std::string_view word);

// The unit whose metres per unit is `metresPerUnit` (to 1e-12), or nothing:
// how a coordinate system's unit is recognised.
std::optional<LengthUnit> unitOfMetres(double metresPerUnit);

}  // namespace zendro
