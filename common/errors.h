#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zendro {

// A failure the user must hear about: the message names the file and the cause,
// e.g. "/jobs/RUN12.HVD: the file does not exist".
class ZendroError : public std::runtime_error {
  public:
    explicit ZendroError(const std::string& message) : std::runtime_error(message) {}
    ZendroError(std::string_view path, std::string_view cause)
        : std::runtime_error(std::string(path) + ": " + std::string(cause)) {}
};

// The user stopped the run; nothing was written.
class RunCancelled : public ZendroError {
  public:
    explicit RunCancelled(std::string_view path)
        : ZendroError(path, "the conversion was cancelled") {}
};

// The message for any failure of work on `path`: a ZendroError already names
// its file, anything unexpected gets the path in front.
inline std::string failureMessage(std::string_view path, const std::exception& error) {
    if (dynamic_cast<const ZendroError*>(&error) != nullptr) return error.what();
    return std::string(path) + ": " + error.what();
}

}  // namespace zendro
