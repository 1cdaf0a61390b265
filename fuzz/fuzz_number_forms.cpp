// The input as doubles, eight bytes each, and as field values (a 32-bit count
// of ten-thousandths, a 16-bit count of hundredths): the 15 significant digits
// match the C++ library's conversion, and the printed forms read back as the
// value they round.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/decimal_digits.h"
#include "common/text_forms.h"
#include "fuzz/fuzz_check.h"

namespace {

using zendro::fuzz::require;

double readBack(std::string_view text) { return std::strtod(std::string(text).c_str(), nullptr); }

void check(double value) {
    if (!std::isfinite(value)) return;
    const zendro::DecimalDigits fast = zendro::decimalDigits(value);
    const zendro::DecimalDigits reference = zendro::decimalDigitsByToChars(value);
    require(fast.negative == reference.negative && fast.digits == reference.digits &&
                fast.exponent == reference.exponent,
            "15 digits as the library's conversion gives them");

    // The number text is the 15-digit form: it reads back as that form does.
    const std::string form = std::string(reference.negative ? "-" : "") + reference.digits[0] + "." +
                             std::string(reference.digits.begin() + 1, reference.digits.end()) +
                             "e" + std::to_string(reference.exponent);
    require(readBack(zendro::numberText(value).view()) == readBack(form),
            "number text reads back as the 15-digit form");

    // A fixed form is within half its last place of the value.
    if (std::fabs(value) < 1e12) {
        for (int places = 0; places <= 4; ++places) {
            const double unit = std::pow(10.0, -places);
            const double printed = readBack(zendro::fixedPlaces(value, places, 1).view());
            require(std::fabs(printed - value) <= unit / 2 * (1 + 1e-9) + std::fabs(value) * 1e-14,
                    "fixed form within half its last place");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = 0; at + 8 <= size; at += 8) {
        double value = 0;
        std::memcpy(&value, data + at, sizeof value);
        check(value);
        std::uint32_t count = 0;
        std::memcpy(&count, data + at, sizeof count);
        check(static_cast<double>(count) / 10000.0);
        check(static_cast<double>(count & 0xFFFF) / 100.0);
    }
    return 0;
}
