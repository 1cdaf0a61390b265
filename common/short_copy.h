#pragma once

#include <cstddef>
#include <cstring>

namespace zendro {

// Copies `count` bytes to `to` and returns the end. The output is written a
// few bytes at a time, so a short copy is two fixed-size moves rather than a
// call into the C library.
inline char* copyBytes(char* to, const char* from, std::size_t count) {
    if (count > 16) {
        std::memcpy(to, from, count);
    } else if (count >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + count - 8, from + count - 8, 8);
    } else if (count >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + count - 4, from + count - 4, 4);
    } else if (count > 0) {
        to[0] = from[0];
        to[count / 2] = from[count / 2];
        to[count - 1] = from[count - 1];
    }
    return to + count;
}

}  // namespace zendro
