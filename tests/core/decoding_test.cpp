#include "conversion/decoding.h"

#include <gtest/gtest.h>

#include <ostream>

#include "tests/support/job_builder.h"

namespace zendro {
namespace {

struct AngleCase {
    std::uint32_t packed;
    const char* degrees;
    const char* minutes;
    const char* seconds;
    double decimalDegrees;
    const char* note;
};

void PrintTo(const AngleCase& c, std::ostream* out) { *out << c.packed; }

class AngleDecoding : public ::testing::TestWithParam<AngleCase> {};

TEST_P(AngleDecoding, GivesTheThreeTextsAndDecimalDegrees) {
    const AngleCase& c = GetParam();
    const DecodedAngle angle = decodeAngle(c.packed);
    EXPECT_EQ(angle.degreesText, c.degrees) << c.note;
    EXPECT_EQ(angle.minutesText, c.minutes) << c.note;
    EXPECT_EQ(angle.secondsText, c.seconds) << c.note;
    EXPECT_NEAR(angle.decimalDegrees, c.decimalDegrees, 1e-9) << c.note;
    // The shot rules take the degrees as the lines show them.
    EXPECT_EQ(shownWholeDegrees(unpackAngle(c.packed).degrees), degreesValue(c.degrees)) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AngleDecoding,
    ::testing::Values(
        AngleCase{4530150, " 45", "30", "15.0", 45.50416666666667, "E6 1F 45 00"},
        AngleCase{500000, "  5", "00", "00.0", 5, "20 A1 07 00"},
        AngleCase{27000000, "270", "00", "00.0", 270, "C0 FC 9B 01"},
        AngleCase{1259000, " 12", "59", "00.0", 12.983333333333333,
                  "seconds near 99.99 are carried into the minutes"},
        AngleCase{35959599, "359", "59", "59.9", 359.99997222222222, "2F B3 24 02"},
        AngleCase{4294967295u, "429", "67", "29.5", 42950.124861111111, "FF FF FF FF"},
        AngleCase{1260000, " 12", "60", "00.0", 13, "60 minutes: the carry stops at minutes"},
        AngleCase{0, "  0", "00", "00.0", 0, "all zero"},
        AngleCase{8959500, " 89", "59", "50.0", 89.99722222222222, "zenith of the examples"},
        AngleCase{959599, "  9", "59", "59.9", 9.999972222222222, "just below 10 degrees"},
        AngleCase{99900000, "999", "00", "00.0", 999, "the most degrees shown whole"},
        AngleCase{100000000, "100", "00", "00.0", 1000, "four digits: the first three shown"}));

TEST(RecordDecoding, ReadsEveryFieldLittleEndian) {
    // Bytes 96 00 give height 1.50, E6 1F 45 00 give 45 30 15.0, 87 D6 12 00
    // give 123.4567, E9 03 give point 1001.
    const std::string bytes = testing::hvdRecord(4, 1001, 150, 4530150, 9000100, 1234567);
    ASSERT_EQ(bytes.substr(2, 2), std::string("\xE9\x03", 2));
    const DecodedRecord r = decodeRecord(bytes);
    EXPECT_EQ(r.recordKind, RecordKind::Traverse);
    EXPECT_EQ(r.pointNumber, 1001);
    EXPECT_DOUBLE_EQ(r.height, 1.5);
    EXPECT_EQ(r.heightFlag, 1);
    EXPECT_EQ(r.horizontal.degreesText, " 45");
    EXPECT_EQ(r.zenith.degreesText, " 90");
    EXPECT_EQ(r.zenith.secondsText, "10.0");
    EXPECT_EQ(r.faceLetter, "D");
    EXPECT_DOUBLE_EQ(r.distance, 123.4567);
    EXPECT_EQ(r.precisionClass, 2);
}

TEST(RecordDecoding, LargestValuesDoNotOverflow) {
    const std::string bytes(18, '\xFF');
    const DecodedRecord r = decodeRecord(bytes);
    EXPECT_EQ(static_cast<int>(r.recordKind), 255);
    EXPECT_EQ(r.pointNumber, 65535);
    EXPECT_DOUBLE_EQ(r.height, 655.35);
    EXPECT_DOUBLE_EQ(r.distance, 429496.7295);
    EXPECT_EQ(r.precisionClass, 0);
    EXPECT_EQ(r.faceLetter, "R");
}

TEST(RecordDecoding, FaceLetterIsReversedOnlyStrictlyAbove180) {
    EXPECT_EQ(decodeRecord(testing::hvdRecord(4, 1, 0, 0, 18000000)).faceLetter, "D");
    EXPECT_EQ(decodeRecord(testing::hvdRecord(4, 1, 0, 0, 18000001)).faceLetter, "R");
}

TEST(RecordDecoding, HeightFlagAndPrecisionClassBoundaries) {
    EXPECT_EQ(decodeRecord(testing::hvdRecord(1, 1, 999)).heightFlag, 1);
    EXPECT_EQ(decodeRecord(testing::hvdRecord(1, 1, 1000)).heightFlag, 0);
    EXPECT_EQ(precisionClassOf(9.9999), 4);
    EXPECT_EQ(precisionClassOf(10), 3);
    EXPECT_EQ(precisionClassOf(99.9999), 3);
    EXPECT_EQ(precisionClassOf(100), 2);
    EXPECT_EQ(precisionClassOf(999.9999), 2);
    EXPECT_EQ(precisionClassOf(1000), 1);
    EXPECT_EQ(precisionClassOf(9999.9999), 1);
    EXPECT_EQ(precisionClassOf(10000), 0);
}

TEST(RecordDecoding, DegreesTextReadsBackAsANumber) {
    EXPECT_EQ(degreesValue("  9"), 9);
    EXPECT_EQ(degreesValue("350"), 350);
    EXPECT_EQ(degreesValue("  0"), 0);
}

}  // namespace
}  // namespace zendro
