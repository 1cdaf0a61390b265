#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/genjob/true_position.h"

namespace zendro::genjob {

// One line "number,N,E,Z" per point, four decimals, LF line ends: the form the
// control file reader takes, so a test can hold a job against its truth.
std::string truthFileBytes(const std::vector<TruePoint>& truth);

// Writes the truth file, replacing one of that name. Throws zendro::ZendroError
// naming the file when it cannot be written.
void writeTruthFile(const std::vector<TruePoint>& truth, const std::filesystem::path& path);

}  // namespace zendro::genjob
