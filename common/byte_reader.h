#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zendro {

// The one place that turns little-endian bytes into numbers. The caller makes
// sure the bytes are there; `bytesAvailable` says whether they are.
inline bool bytesAvailable(std::string_view bytes, std::size_t offset, std::size_t count) {
    return offset <= bytes.size() && count <= bytes.size() - offset;
}

template <std::size_t Width>
std::uint32_t readLittleEndian(std::string_view bytes, std::size_t offset) {
    static_assert(Width >= 1 && Width <= 4);
    std::uint32_t value = 0;
    for (std::size_t i = Width; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

inline std::uint8_t readByte(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint8_t>(bytes[offset]);
}

}  // namespace zendro
