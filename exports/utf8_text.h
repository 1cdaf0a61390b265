#pragma once

#include <string>
#include <string_view>

namespace zendro::exports {

// The field files' text is one byte per character (Latin-1); XML and the
// GDAL formats take UTF-8. Control bytes other than tab, which XML cannot
// carry, become spaces.
std::string utf8Of(std::string_view latin1);

}  // namespace zendro::exports
