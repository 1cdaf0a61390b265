#include "common/decimal_digits.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace zendro {
namespace {

std::string describe(const DecimalDigits& d) {
    return (d.negative ? "-" : "+") + std::string(d.digits.begin(), d.digits.end()) + "e" +
           std::to_string(d.exponent);
}

// Every value of a family gives the same 15 digits, sign and exponent by the
// integer path as by the library's conversion.
struct Family {
    const char* name;
    std::function<double(std::mt19937_64&)> draw;
};

TEST(DecimalDigits, MatchTheLibraryConversionOnEveryFamilyOfValues) {
    const auto uniform = [](std::mt19937_64& random, std::uint64_t limit) {
        return std::uniform_int_distribution<std::uint64_t>(0, limit)(random);
    };
    const std::vector<Family> families = {
        {"any finite bit pattern",
         [](std::mt19937_64& random) {
             double value = 0;
             do value = std::bit_cast<double>(random()); while (!std::isfinite(value));
             return value;
         }},
        {"distances: 32 bits over 10000",
         [&](std::mt19937_64& r) { return static_cast<double>(uniform(r, 0xFFFFFFFF)) / 10000.0; }},
        {"heights: 16 bits over 100",
         [&](std::mt19937_64& r) { return static_cast<double>(uniform(r, 0xFFFF)) / 100.0; }},
        {"decimal degrees from degrees, minutes and seconds",
         [&](std::mt19937_64& r) {
             return static_cast<double>(uniform(r, 400)) + static_cast<double>(uniform(r, 59)) / 60.0 +
                    static_cast<double>(uniform(r, 599)) / 10.0 / 3600.0;
         }},
        {"minutes and seconds as the angles unpack them",
         [&](std::mt19937_64& r) {
             const double a = static_cast<double>(uniform(r, 0xFFFFFFFF)) / 100000.0;
             return (a - std::trunc(a)) * 100.0;
         }},
        {"next to a power of ten",
         [&](std::mt19937_64& r) {
             const double power = std::pow(10.0, static_cast<double>(uniform(r, 24)) - 7.0);
             double value = power;
             for (auto steps = uniform(r, 4); steps > 0; --steps) value = std::nextafter(value, 0.0);
             for (auto steps = uniform(r, 4); steps > 0; --steps) value = std::nextafter(value, 1e300);
             return value;
         }},
        {"sixteen digits ending in a half: exact ties",
         [&](std::mt19937_64& r) {
             return static_cast<double>(uniform(r, 999999999999999)) / 8.0 + 0.125;
         }},
        {"negative and tiny",
         [&](std::mt19937_64& r) {
             return -static_cast<double>(uniform(r, 0xFFFFFFFF)) * 1e-12;
         }},
    };
    std::mt19937_64 random(20261207);
    for (const Family& family : families) {
        for (int i = 0; i < 40000; ++i) {
            const double value = family.draw(random);
            const DecimalDigits fast = decimalDigits(value);
            const DecimalDigits reference = decimalDigitsByToChars(value);
            ASSERT_EQ(describe(fast), describe(reference))
                << family.name << ": " << std::hexfloat << value;
        }
    }
}

TEST(DecimalDigits, ZeroOfEitherSignIsUnsignedZero) {
    EXPECT_EQ(describe(decimalDigits(0.0)), "+000000000000000e0");
    EXPECT_EQ(describe(decimalDigits(-0.0)), "+000000000000000e0");
    EXPECT_EQ(describe(decimalDigitsByToChars(-0.0)), "+000000000000000e0");
}

}  // namespace
}  // namespace zendro
