#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zendro {

// Whole files as bytes: one byte per character, no re-encoding.

bool fileExists(const std::string& path);

// Throws ZendroError naming the file and the cause; a folder, a FIFO or a
// device "is not a regular file" and is never waited on.
std::string readFileBytes(const std::string& path);

// Writes to a temporary file in the same folder, then renames it over `path`,
// so a failure never leaves a half-written file or destroys the previous one.
// Throws ZendroError naming the file and the cause.
void writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zendro
