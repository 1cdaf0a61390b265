#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conversion/conversion_options.h"
#include "features/chain_list.h"

namespace zendro::review {

// One chain as the OBS file's chain section lists it.
struct ReviewChain {
    std::string name;  // without the run suffix
    std::string feature;
    std::vector<std::string> pointTexts;  // prefix + name: the start and its points, in order
    std::string endText;                  // empty, the start (closed chain) or the end point
};

// The conversion's chain lists as the review names them (without the run suffix).
std::vector<ReviewChain> chainsOf(const std::vector<ChainList>& lists,
                                  const ConversionOptions& options);

}  // namespace zendro::review
