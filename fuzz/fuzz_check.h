#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace zendro::fuzz {

// A property every input must keep; a broken one stops the fuzzer with a crash.
inline void require(bool holds, std::string_view what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %.*s\n", static_cast<int>(what.size()),
                 what.data());
    std::abort();
}

inline std::string_view asBytes(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace zendro::fuzz
