#pragma once

#include <array>

namespace zendro {

// A double as its correctly rounded 15-significant-digit decimal form:
// |value| ~ d1.d2d3...d15 x 10^exponent. Every number the output files print
// starts from this form, so it must be exact to the last digit.
struct DecimalDigits {
    static constexpr int kCount = 15;
    bool negative = false;  // never set for zero: -0 prints as 0
    std::array<char, kCount> digits{};  // '0'..'9'; the first is not '0' unless the value is 0
    int exponent = 0;
    bool isZero() const { return digits[0] == '0'; }
};

// For a finite value. Exact integer arithmetic for the values the files hold
// (magnitudes from 1e-5 to 1e15), the standard library's correctly rounded
// conversion for the rest and for exact halfway cases.
DecimalDigits decimalDigits(double value);

// The standard library's conversion alone, for a finite value: the reference
// the fast path must match.
DecimalDigits decimalDigitsByToChars(double value);

}  // namespace zendro
