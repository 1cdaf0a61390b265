#pragma once

#include <array>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <random>
#include <stdexcept>
#include <string_view>

namespace zendro::genjob {

// Uniform whole numbers taken straight from the engine's 32-bit output by
// rejection, so a seed gives the same job with any standard library.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}

    // A whole number from `low` to `high`, both included (a span of at most 2^32).
    std::int64_t between(std::int64_t low, std::int64_t high) {
        constexpr std::uint64_t kRange = std::uint64_t{1} << 32u;
        const auto span = static_cast<std::uint64_t>(high - low) + 1;
        if (high < low || span > kRange) throw std::invalid_argument("bad random range");
        const std::uint64_t limit = kRange - kRange % span;
        std::uint64_t draw = 0;
        do {
            draw = static_cast<std::uint64_t>(engine_()) & 0xFFFFFFFFu;
        } while (draw >= limit);
        return low + static_cast<std::int64_t>(draw % span);
    }

    bool percent(int chance) { return between(0, 99) < chance; }

    template <std::size_t N>
    std::string_view pick(const std::array<std::string_view, N>& items) {
        return items[static_cast<std::size_t>(between(0, static_cast<std::int64_t>(N) - 1))];
    }

    // A normal deviate of standard deviation `sigma`, cut at 2.5 sigma: an
    // instrument within its stated accuracy, not one that needs servicing.
    // Box-Muller on draws of our own, as std::normal_distribution differs
    // between libraries.
    double normal(double sigma) {
        if (sigma <= 0) return 0;
        constexpr double kSteps = 4294967296.0;
        const double u1 = (static_cast<double>(between(0, 0xFFFFFFFF)) + 1.0) / kSteps;
        const double u2 = static_cast<double>(between(0, 0xFFFFFFFF)) / kSteps;
        const double z = std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
        return std::clamp(z, -kCut, kCut) * sigma;
    }

  private:
    static constexpr double kCut = 2.5;
    std::mt19937 engine_;
};

}  // namespace zendro::genjob
