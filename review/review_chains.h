#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conversion/conversion_options.h"

namespace zendro::review {

// One chain as the OBS file's chain section lists it.
struct ReviewChain {
    std::string name;  // without the run suffix
    std::string feature;
    std::vector<std::string> pointTexts;  // prefix + name: the start and its points, in order
    std::string endText;                  // empty, the start (closed chain) or the end point
};

// The chains the conversion writes for these point-feature file bytes and options.
std::vector<ReviewChain> chainsOf(std::string_view pfBytes, const ConversionOptions& options);

}  // namespace zendro::review
