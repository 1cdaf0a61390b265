#pragma once

#include <cstdint>

namespace zendro::genjob {

// Where a point really is, in the job's unit, before any instrument reads it.
struct TruePosition {
    double north = 0;
    double east = 0;
    double elevation = 0;
};

struct TruePoint {
    std::uint16_t number = 0;
    TruePosition position;
};

}  // namespace zendro::genjob
