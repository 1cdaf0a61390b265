#pragma once

#include <QString>
#include <exception>
#include <string>

namespace zendro {

// A failure as the user reads it: the core's errors name their file; anything
// else is put behind the file the action was about.
QString failureText(const std::exception& error, const std::string& path);

}  // namespace zendro
