#include "common/text_forms.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

namespace zendro {
namespace {

TEST(NumberText, SignSpaceDigitsAndNoLeadingZero) {
    EXPECT_EQ(numberText(12), " 12");
    EXPECT_EQ(numberText(0), " 0");
    EXPECT_EQ(numberText(-0.0), " 0");
    EXPECT_EQ(numberText(-2), "-2");
    EXPECT_EQ(numberText(0.5), " .5");
    EXPECT_EQ(numberText(-0.25), "-.25");
    EXPECT_EQ(numberText(123.4567), " 123.4567");
    EXPECT_EQ(numberText(12.5), " 12.5");
    EXPECT_EQ(numberText(65535), " 65535");
}

TEST(NumberText, RoundsToFifteenSignificantDigits) {
    // 45 degrees 30 minutes 15 seconds in decimal degrees.
    EXPECT_EQ(numberText(45.0 + 30.0 / 60.0 + 15.0 / 3600.0), " 45.5041666666667");
    EXPECT_EQ(numberText(89.0 + 59.0 / 60.0 + 50.0 / 3600.0), " 89.9972222222222");
    EXPECT_EQ(numberText(0.1 + 0.2), " .3");
    EXPECT_EQ(numberText(1.0 / 3.0), " .333333333333333");
    EXPECT_EQ(numberText(2.0 / 3.0), " .666666666666667");
}

TEST(NumberText, NeverUsesAnExponent) {
    EXPECT_EQ(numberText(0.0001), " .0001");
    EXPECT_EQ(numberText(0.00001), " .00001");
    EXPECT_EQ(numberText(2.77777777777778e-05), " .0000277777777777778");
    EXPECT_EQ(numberText(1e15), " 1000000000000000");
    EXPECT_EQ(numberText(123456789012345678.0), " 123456789012346000");
    EXPECT_EQ(numberText(-1e-7), "-.0000001");
}

TEST(FixedForms, TwoAndThreeDecimalsAndSeconds) {
    EXPECT_EQ(fixedForm(1.5), "1.50");
    EXPECT_EQ(fixedForm(0), "0.00");
    EXPECT_EQ(fixedForm(12), "12.00");
    EXPECT_EQ(fixedForm(12.34), "12.34");
    EXPECT_EQ(fixedForm(655.35), "655.35");
    EXPECT_EQ(distanceForm(123.4567), "123.457");
    EXPECT_EQ(distanceForm(5), "5.000");
    EXPECT_EQ(distanceForm(0.5), "0.500");
    EXPECT_EQ(distanceForm(429496.7295), "429496.730");
    EXPECT_EQ(secondsForm(5), "05.0");
    EXPECT_EQ(secondsForm(0), "00.0");
    EXPECT_EQ(secondsForm(14.99999999997), "15.0");
    EXPECT_EQ(secondsForm(59.9), "59.9");
}

TEST(FixedForms, HalfwayRoundsAwayFromZeroOnTheDecimalDigits) {
    // The double nearest 123.4565 lies just below it; the decimal form decides.
    EXPECT_EQ(distanceForm(123.4565), "123.457");
    EXPECT_EQ(distanceForm(1.0005), "1.001");
    EXPECT_EQ(distanceForm(0.0005), "0.001");
    EXPECT_EQ(distanceForm(0.0004), "0.000");
    EXPECT_EQ(distanceForm(9999.9995), "10000.000");
    EXPECT_EQ(fixedForm(2.675), "2.68");
    EXPECT_EQ(fixedForm(-1.005), "-1.01");
    EXPECT_EQ(fixedForm(-0.001), "0.00");
    EXPECT_EQ(secondsForm(0.05), "00.1");
    EXPECT_EQ(secondsForm(99.95), "100.0");
}

// A field value is a whole number of hundredths or ten-thousandths; its forms
// follow from that decimal alone, rounded half away from zero.
std::string fromDecimal(std::int64_t units, int unitPlaces, int places, int minIntegerDigits) {
    std::uint64_t unit = 1;
    for (int i = places; i < unitPlaces; ++i) unit *= 10;
    const std::uint64_t magnitude = (static_cast<std::uint64_t>(std::abs(units)) + unit / 2) / unit;
    std::string digits = std::to_string(magnitude);
    const auto width = static_cast<std::size_t>(places + minIntegerDigits);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(places), ".");
    return (units < 0 && magnitude != 0 ? "-" : "") + digits;
}

TEST(FixedForms, FieldValuesFollowTheirDecimal) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        // Every other one negative: the forms are not only for field values.
        const auto tenThousandths =
            static_cast<std::int64_t>(random() % 0x100000000) * (i % 2 ? 1 : -1);
        const double distance = static_cast<double>(tenThousandths) / 10000.0;
        ASSERT_EQ(distanceForm(distance), fromDecimal(tenThousandths, 4, 3, 1)) << tenThousandths;
        ASSERT_EQ(fixedForm(distance), fromDecimal(tenThousandths, 4, 2, 1)) << tenThousandths;
        const auto hundredths = static_cast<std::int64_t>(random() % 0x10000);
        ASSERT_EQ(fixedForm(static_cast<double>(hundredths) / 100.0), fromDecimal(hundredths, 2, 2, 1));
        const auto tenths = static_cast<std::int64_t>(random() % 6000);
        ASSERT_EQ(secondsForm(static_cast<double>(tenths) / 10.0), fromDecimal(tenths, 1, 1, 2));
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
