#pragma once

#include <string>
#include <string_view>

namespace zendro::exports {

// A DXF layer name for a feature code: letters, digits, "_", "-" and "$"
// kept, anything else (the characters DXF refuses, spaces, non-ASCII bytes)
// made "_"; `uncoded` for an empty code.
std::string dxfLayerName(std::string_view featureCode, std::string_view uncoded);

}  // namespace zendro::exports
