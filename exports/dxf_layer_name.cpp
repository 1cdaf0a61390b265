#include "exports/dxf_layer_name.h"

namespace zendro::exports {

std::string dxfLayerName(std::string_view featureCode, std::string_view uncoded) {
    if (featureCode.empty()) return std::string(uncoded);
    std::string name;
    name.reserve(featureCode.size());
    for (const char c : featureCode) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '$';
        name += kept ? c : '_';
    }
    return name;
}

}  // namespace zendro::exports
