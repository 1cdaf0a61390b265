#pragma once

#include <ctime>
#include <string>

namespace zendro {

// `path` + "." + `tag` + "-YYYYMMDD-HHMMSS" in local time at `when`, the name a
// kept copy of a file gets beside it; "-2", "-3", ... follow when a file of
// that name exists already, so an earlier copy of the same second stays.
std::string datedSideName(const std::string& path, const std::string& tag, std::time_t when);

}  // namespace zendro
