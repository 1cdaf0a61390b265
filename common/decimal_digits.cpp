#include "common/decimal_digits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zendro {
namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr std::uint64_t kPowersOfTen[] = {
    1ULL,
    10ULL,
    100ULL,
    1000ULL,
    10000ULL,
    100000ULL,
    1000000ULL,
    10000000ULL,
    100000000ULL,
    1000000000ULL,
    10000000000ULL,
    100000000000ULL,
    1000000000000ULL,
    10000000000000ULL,
    100000000000000ULL,
    1000000000000000ULL,
    10000000000000000ULL,
    100000000000000000ULL,
    1000000000000000000ULL,
    10000000000000000000ULL,
};
constexpr int kLargestScale = 19;
constexpr std::uint64_t kSmallestDigits = kPowersOfTen[DecimalDigits::kCount - 1];
constexpr std::uint64_t kDigitsLimit = kPowersOfTen[DecimalDigits::kCount];

// "00" to "99": digits are written two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes `value` (below 10^count) as exactly `count` digits ending before `last`.
void writeDigits(std::uint32_t value, int count, char* last) {
    for (; count >= 2; count -= 2) {
        last -= 2;
        std::copy_n(&kDigitPairs[2 * (value % 100)], 2, last);
        value /= 100;
    }
    if (count == 1) *--last = static_cast<char>('0' + value);
}

// The value is mantissa / 2^shift exactly; its 15 digits are the mantissa
// times 10^(14 - exponent), shifted down and rounded to nearest. The product
// stays below 2^117, so the arithmetic is exact.
std::optional<DecimalDigits> exactDecimalDigits(double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-5 && magnitude < 1e15)) return std::nullopt;

    // A normal double: 52 stored bits under an implicit leading one.
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const auto biasedExponent = static_cast<int>(bits >> 52);
    const std::uint64_t mantissa = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
    const int shift = 1075 - biasedExponent;  // 3 to 70 in this range

    // floor(log10(2^(biasedExponent - 1023))): the decimal exponent or one less.
    int exponent = ((biasedExponent - 1023) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int scale = DecimalDigits::kCount - 1 - exponent;
        if (scale < 0 || scale > kLargestScale) return std::nullopt;
        const Wide scaled = static_cast<Wide>(mantissa) * kPowersOfTen[scale];
        const Wide whole = scaled >> shift;
        if (whole >= kDigitsLimit) {
            ++exponent;
            continue;
        }
        if (whole < kSmallestDigits) {
            --exponent;
            continue;
        }
        const Wide remainder = scaled - (whole << shift);
        const Wide half = static_cast<Wide>(1) << (shift - 1);
        if (remainder == half) return std::nullopt;  // a tie: the library's rule decides
        auto digits = static_cast<std::uint64_t>(whole) + (remainder > half ? 1 : 0);
        if (digits == kDigitsLimit) {
            digits = kSmallestDigits;
            ++exponent;
        }
        DecimalDigits out;
        out.negative = std::signbit(value);
        out.exponent = exponent;
        char* const last = out.digits.data() + DecimalDigits::kCount;
        constexpr std::uint64_t kLowSplit = 100000000;  // the last 8 digits, then the first 7
        writeDigits(static_cast<std::uint32_t>(digits % kLowSplit), 8, last);
        writeDigits(static_cast<std::uint32_t>(digits / kLowSplit), 7, last - 8);
        return out;
    }
    return std::nullopt;
}

}  // namespace

DecimalDigits decimalDigitsByToChars(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, DecimalDigits::kCount - 1);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    DecimalDigits out;
    if (!text.empty() && text.front() == '-') {
        out.negative = true;
        text.remove_prefix(1);
    }
    const auto ePos = text.find('e');
    std::size_t count = 0;
    for (char c : text.substr(0, ePos)) {
        if (c != '.' && count < out.digits.size()) out.digits[count++] = c;
    }
    const std::string_view exponentText = text.substr(ePos + 1);
    const char* first = exponentText.data();
    if (*first == '+') ++first;
    std::from_chars(first, exponentText.data() + exponentText.size(), out.exponent);
    if (out.isZero()) out.negative = false;
    return out;
}

DecimalDigits decimalDigits(double value) {
    if (value == 0) {
        DecimalDigits zero;
        zero.digits.fill('0');
        return zero;
    }
    if (const auto exact = exactDecimalDigits(value)) return *exact;
    return decimalDigitsByToChars(value);
}

}  // namespace zendro
