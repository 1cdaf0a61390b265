#include "tests/support/job_builder.h"

namespace zendro::testing {
namespace {

void putLittleEndian(std::string& out, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<char>(value & 0xFF));
        value >>= 8;
    }
}

}  // namespace

std::string hvdRecord(int kind, std::uint16_t point, std::uint16_t heightHundredths,
                      std::uint32_t horizontal, std::uint32_t zenith,
                      std::uint32_t distanceTenThousandths) {
    std::string out;
    out.push_back(static_cast<char>(kind));
    out.push_back('\0');
    putLittleEndian(out, point, 2);
    putLittleEndian(out, heightHundredths, 2);
    putLittleEndian(out, horizontal, 4);
    putLittleEndian(out, zenith, 4);
    putLittleEndian(out, distanceTenThousandths, 4);
    return out;
}

std::string ctxRecord(int blocks, std::uint16_t point, std::string_view text) {
    const std::size_t size = static_cast<std::size_t>(blocks <= 1 ? 30 : 30 * blocks);
    std::string out;
    out.push_back(static_cast<char>(blocks));
    out.append(2, '\0');
    putLittleEndian(out, point, 2);
    out.append(text.substr(0, size - 5));
    out.resize(size, '\0');
    return out;
}

std::string ctxPrologue() { return std::string(180, 'x'); }

std::string rtxNote(int count, std::string_view text) {
    const std::size_t size = static_cast<std::size_t>(count <= 1 ? 30 : 30 * count);
    std::string out;
    out.push_back(static_cast<char>(count));
    out.append(4, '\0');
    out.append(text.substr(0, size - 5));
    out.resize(size, '\0');
    return out;
}

std::string rtxPrologue() { return std::string(90, 'y'); }

}  // namespace zendro::testing
