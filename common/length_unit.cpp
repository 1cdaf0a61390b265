#include "common/length_unit.h"

#include <cmath>

#include "common/text_forms.h"

namespace zendro {

std::optional<LengthUnit> footNamed(std::string_view word) {
    if (equalIgnoringCase(word, "us")) return LengthUnit::UsSurveyFoot;
    if (equalIgnoringCase(word, "international")) return LengthUnit::InternationalFoot;
    return std::nullopt;
}

std::optional<LengthUnit> unitOfMetres(double metresPerUnit) {
    for (const LengthUnit unit :
         {LengthUnit::Metre, LengthUnit::UsSurveyFoot, LengthUnit::InternationalFoot}) {
        if (std::abs(metresPerUnit - metresPer(unit)) < 1e-12) return unit;
    }
    return std::nullopt;
}

}  // namespace zendro
