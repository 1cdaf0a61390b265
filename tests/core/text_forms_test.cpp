#include "common/text_forms.h"

#include "common/decimal_digits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>

namespace zendro {
namespace {

TEST(NumberText, SignSpaceDigitsAndNoLeadingZero) {
    EXPECT_EQ(numberText(12).str(), " 12");
    EXPECT_EQ(numberText(0).str(), " 0");
    EXPECT_EQ(numberText(-0.0).str(), " 0");
    EXPECT_EQ(numberText(-2).str(), "-2");
    EXPECT_EQ(numberText(0.5).str(), " .5");
    EXPECT_EQ(numberText(-0.25).str(), "-.25");
    EXPECT_EQ(numberText(123.4567).str(), " 123.4567");
    EXPECT_EQ(numberText(12.5).str(), " 12.5");
    EXPECT_EQ(numberText(65535).str(), " 65535");
}

TEST(NumberText, RoundsToFifteenSignificantDigits) {
    // 45 degrees 30 minutes 15 seconds in decimal degrees.
    EXPECT_EQ(numberText(45.0 + 30.0 / 60.0 + 15.0 / 3600.0).str(), " 45.5041666666667");
    EXPECT_EQ(numberText(89.0 + 59.0 / 60.0 + 50.0 / 3600.0).str(), " 89.9972222222222");
    EXPECT_EQ(numberText(0.1 + 0.2).str(), " .3");
    EXPECT_EQ(numberText(1.0 / 3.0).str(), " .333333333333333");
    EXPECT_EQ(numberText(2.0 / 3.0).str(), " .666666666666667");
}

TEST(NumberText, NeverUsesAnExponent) {
    EXPECT_EQ(numberText(0.0001).str(), " .0001");
    EXPECT_EQ(numberText(0.00001).str(), " .00001");
    EXPECT_EQ(numberText(2.77777777777778e-05).str(), " .0000277777777777778");
    EXPECT_EQ(numberText(1e15).str(), " 1000000000000000");
    EXPECT_EQ(numberText(123456789012345678.0).str(), " 123456789012346000");
    EXPECT_EQ(numberText(-1e-7).str(), "-.0000001");
}

TEST(FixedForms, TwoAndThreeDecimalsAndSeconds) {
    EXPECT_EQ(fixedForm(1.5).str(), "1.50");
    EXPECT_EQ(fixedForm(0).str(), "0.00");
    EXPECT_EQ(fixedForm(12).str(), "12.00");
    EXPECT_EQ(fixedForm(12.34).str(), "12.34");
    EXPECT_EQ(fixedForm(655.35).str(), "655.35");
    EXPECT_EQ(distanceForm(123.4567).str(), "123.457");
    EXPECT_EQ(distanceForm(5).str(), "5.000");
    EXPECT_EQ(distanceForm(0.5).str(), "0.500");
    EXPECT_EQ(distanceForm(429496.7295).str(), "429496.730");
    EXPECT_EQ(secondsForm(5).str(), "05.0");
    EXPECT_EQ(secondsForm(0).str(), "00.0");
    EXPECT_EQ(secondsForm(14.99999999997).str(), "15.0");
    EXPECT_EQ(secondsForm(59.9).str(), "59.9");
}

TEST(FixedForms, HalfwayRoundsAwayFromZeroOnTheDecimalDigits) {
    // The double nearest 123.4565 lies just below it; the decimal form decides.
    EXPECT_EQ(distanceForm(123.4565).str(), "123.457");
    EXPECT_EQ(distanceForm(1.0005).str(), "1.001");
    EXPECT_EQ(distanceForm(0.0005).str(), "0.001");
    EXPECT_EQ(distanceForm(0.0004).str(), "0.000");
    EXPECT_EQ(distanceForm(9999.9995).str(), "10000.000");
    EXPECT_EQ(fixedForm(2.675).str(), "2.68");
    EXPECT_EQ(fixedForm(-1.005).str(), "-1.01");
    EXPECT_EQ(fixedForm(-0.001).str(), "0.00");
    EXPECT_EQ(secondsForm(0.05).str(), "00.1");
    EXPECT_EQ(secondsForm(99.95).str(), "100.0");
}

// The fixed forms' rule, from the library's 15-digit conversion: drop the
// digits past the places, round half away from zero on the first one dropped.
std::string fixedByRule(double value, int places, int minIntegerDigits) {
    const DecimalDigits d = decimalDigitsByToChars(value);
    const std::uint64_t digits = std::stoull(std::string(d.digits.begin(), d.digits.end()));
    const int dropped = DecimalDigits::kCount - 1 - d.exponent - places;  // 0 to 19 here
    std::uint64_t scaled = digits;
    if (dropped > 0) {
        std::uint64_t unit = 1;
        for (int i = 0; i < dropped; ++i) unit *= 10;
        scaled = digits / unit + (digits % unit >= unit / 2 ? 1 : 0);
    }
    for (int i = dropped; i < 0; ++i) scaled *= 10;
    std::string text = std::to_string(scaled);
    const auto width = static_cast<std::size_t>(places + minIntegerDigits);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    if (places > 0) text.insert(text.size() - static_cast<std::size_t>(places), ".");
    return (d.negative && scaled != 0 ? "-" : "") + text;
}

TEST(FixedForms, EveryKindOfValueRoundsAsItsFifteenDigitForm) {
    std::mt19937_64 random(7);
    const auto draw = [&](std::uint64_t limit) { return static_cast<double>(random() % limit); };
    for (int i = 0; i < 40000; ++i) {
        const double sign = i % 2 ? 1.0 : -1.0;
        const double angle = draw(0x100000000) / 100000.0;
        const double values[] = {
            sign * draw(0x100000000) / 10000.0,          // distances, a tenth of them halfway
            draw(0x10000) / 100.0,                       // heights
            draw(6000) / 10.0,                           // seconds as written
            (angle - std::trunc(angle)) * 100.0,         // minutes and seconds as unpacked
            sign * draw(1ULL << 53) / draw(1ULL << 40),  // anything from 1e-5 up
        };
        for (const double value : values) {
            if (std::fabs(value) < 1e-5 || std::fabs(value) >= 1e9) continue;
            for (const auto& [places, integerDigits] : {std::pair{2, 1}, {3, 1}, {1, 2}, {0, 1}}) {
                ASSERT_EQ(fixedPlaces(value, places, integerDigits),
                          fixedByRule(value, places, integerDigits))
                    << std::hexfloat << value << " to " << places << " places";
            }
        }
    }
}

TEST(Clean, TrimsThenDropsMarkersAndTheCommentDelimiter) {
    EXPECT_EQ(clean("EP-1 +ASPH, WET ", ","), "EP1 ASPH WET");
    EXPECT_EQ(clean("  CP-11 +NAIL", ","), "CP11 NAIL");
    EXPECT_EQ(clean("A//B/C", "//"), "AB/C");
    EXPECT_EQ(clean(" +EP, ", ""), "EP,");
}

TEST(TextHelpers, TrimAndRemove) {
    EXPECT_EQ(trimSpaces("  a b  "), "a b");
    EXPECT_EQ(trimSpaces("\ta\t"), "\ta\t");
    EXPECT_EQ(trimBlanks(" \ta b\t "), "a b");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(removeAll("TAPE TAPE EP", "TAPE "), "EP");
    EXPECT_EQ(removeAll("aaa", "aa"), "a");
    EXPECT_EQ(removeAll("EP*", ""), "EP*");
}

}  // namespace
}  // namespace zendro
