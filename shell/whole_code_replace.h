#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "features/grid_edits.h"

namespace zendro {

// Like replaceInField, but only where `code` stands as a whole code: a run of
// letters and digits with none of them on either side. "EP" is found in
// "+EP,LEFT EDGE" and "EP*", not in "TAPE" or "EPX".
std::vector<CellEdit> replaceWholeCodes(const std::vector<FeatureRow>& rows, FeatureField field,
                                        std::string_view code, std::string_view replacement,
                                        const std::vector<std::size_t>& rowsToSearch);

}  // namespace zendro
