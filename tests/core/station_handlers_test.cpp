// Setups, reference directions and backsights, line by line.

#include <gtest/gtest.h>

#include "tests/core/job_feed.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::crlfLines;
using testing::hvdRecord;
using testing::JobFeed;

const std::string kPoints = crlfLines({" 12 ,IP FOUND, ", " 11 ,CP-11 +NAIL, "});

TEST(StationRecords, SetupThenReferenceDirection) {
    JobFeed run(kPoints);
    run.feed(hvdRecord(1, 12, 152));
    run.feed(hvdRecord(2, 11, 150, 4530150, 9000000));
    EXPECT_EQ(run.obs(), crlfLines({
                             "S 00 S12                       P +1 IP FOUND",
                             "S 01                    1.52",
                             "O 00 S11                       P N1 CP11 NAIL",
                             "O 04             1 1.50         01 D  45 30 15.0",
                         }));
    EXPECT_EQ(run.trv(), crlfLines({"RE,REFERENCE DIRECTION:  45.5041666666667NA"}));
    EXPECT_EQ(run.state().backsight.angleField, "90.0000Z");
    EXPECT_EQ(run.state().backsight.distanceField, "100.0");
    EXPECT_EQ(run.state().backsight.heightText, "1.50");
    EXPECT_EQ(run.state().stationText, " 12");
    EXPECT_EQ(run.state().instrumentHeightText, "1.52");
}

TEST(StationRecords, MeasuredBacksight) {
    JobFeed run(kPoints);
    run.feed(hvdRecord(3, 11, 150, 0, 8959500, 1234567));
    EXPECT_EQ(run.obs(),
              crlfLines({
                  "O 00 S11                       P +1 CP11 NAIL",
                  "O 01             1 1.50         01 D   0 00 00.0  89 59 50.0  2 123.457S",
              }));
    EXPECT_EQ(run.trv(), "");
    EXPECT_EQ(run.state().backsight.angleField, "7 0");
    EXPECT_EQ(run.state().backsight.zenithField, "Z 89.9972222222222");
    EXPECT_EQ(run.state().backsight.distanceField, "S 123.4567");
    // The first backsight of a run: no former point, its own height stands in.
    EXPECT_EQ(run.state().priorBacksight.text, " 0");
    EXPECT_EQ(run.state().priorBacksight.heightText, "1.50");
}

TEST(StationRecords, RepeatedBacksightKeepsThePriorFieldsAndANewPointMovesThem) {
    JobFeed run(kPoints);
    run.feed(hvdRecord(3, 11, 150, 0, 9000000, 1234567));
    run.feed(hvdRecord(3, 11, 160, 0, 9000000, 1234567));
    EXPECT_DOUBLE_EQ(run.state().backsight.height, 1.6);
    EXPECT_EQ(run.state().priorBacksight.text, " 0");
    EXPECT_EQ(run.state().priorBacksight.heightText, "1.50");
    run.feed(hvdRecord(3, 12, 170, 0, 9000000, 1234567));
    EXPECT_EQ(run.state().priorBacksight.text, " 11");
    EXPECT_EQ(run.state().priorBacksight.heightText, "1.60");
    EXPECT_EQ(run.state().backsight.heightText, "1.70");
}

TEST(StationRecords, BacksightWarnings) {
    JobFeed run(kPoints);
    // Distance exactly 10 and zenith 10 00 00.0: no warning.
    run.feed(hvdRecord(3, 11, 150, 0, 1000000, 100000));
    EXPECT_EQ(run.obs().find("WARNING"), std::string::npos);
    // 9.9999 and 9 59 59.9: both warnings, distance first.
    run.clearOutput();
    run.feed(hvdRecord(3, 11, 150, 0, 959599, 99999));
    EXPECT_EQ(run.obs(),
              crlfLines({
                  "O 00 S11                       P +1 CP11 NAIL",
                  "O 01             1 1.50         01 D   0 00 00.0   9 59 59.9  4 10.000 S",
                  "R 99 ***WARNING*** Backsight Distance Error",
                  "R 99 ***WARNING*** Vertical Angle less than 10 Degrees",
              }));
    // 350 degrees is no low vertical angle.
    run.clearOutput();
    run.feed(hvdRecord(3, 11, 150, 0, 35000000, 100000));
    EXPECT_EQ(run.obs().find("WARNING"), std::string::npos);
}

TEST(StationRecords, LongDistancePushesTheFinalSToColumn72OfANewLine) {
    JobFeed run(kPoints);
    run.feed(hvdRecord(3, 11, 1050, 0, 9000000, 12345678));
    EXPECT_EQ(run.obs(),
              crlfLines({
                  "O 00 S11                       P +1 CP11 NAIL",
                  "O 01             0 10.50        01 D   0 00 00.0  90 00 00.0  1 1234.568",
                  std::string(71, ' ') + "S",
              }));
}

TEST(StationRecords, ObsOnlyWritesTheSameObsLinesAndNoTrvLine) {
    ConversionOptions options;
    options.obsOnly = true;
    JobFeed obsOnly(kPoints, options);
    JobFeed both(kPoints);
    for (JobFeed* run : {&obsOnly, &both}) {
        run->feed(hvdRecord(1, 12, 152)).feed(hvdRecord(2, 11, 150, 4530150, 9000000));
    }
    EXPECT_EQ(obsOnly.obs(), both.obs());
    EXPECT_EQ(obsOnly.trv(), "");
    EXPECT_EQ(obsOnly.state().backsight.angleField, "90.0000Z");
}

TEST(StationRecords, LongPrefixAndNumberPushTheCodeToColumn32OfANewLine) {
    ConversionOptions options = JobFeed::trvOptions();
    options.pointPrefix = "ST";
    JobFeed shortPrefix(crlfLines({"1005,CP, "}), options);
    shortPrefix.feed(hvdRecord(1, 1005, 150));
    EXPECT_EQ(shortPrefix.obs().substr(0, 36), "S 00 ST1005                    P +1 ");

    options.pointPrefix = std::string(22, 'P');
    JobFeed longPrefix(crlfLines({"12345,CP, "}), options);
    longPrefix.feed(hvdRecord(1, 12345, 150));
    EXPECT_EQ(longPrefix.obs(),
              crlfLines({"S 00 " + std::string(22, 'P') + "12345", std::string(31, ' ') + "P +1 CP",
                         "S 01                    1.50"}));
}

TEST(StationRecords, PointWithoutAnEntryRepeatsThePreviousDescription) {
    JobFeed run(kPoints);
    run.feed(hvdRecord(1, 12, 152));
    run.clearOutput();
    run.feed(hvdRecord(1, 99, 152));
    EXPECT_EQ(run.obs().substr(0, run.obs().find("\r\n")),
              "S 00 S99                       P +1 IP FOUND");
}

TEST(StationRecords, DuplicateEntriesTheLastOneDecides) {
    JobFeed run(crlfLines({"12,FIRST, ", "12,SECOND, "}));
    run.feed(hvdRecord(1, 12, 152));
    EXPECT_EQ(run.obs().substr(0, run.obs().find("\r\n")),
              "S 00 S12                       P +1 SECOND");
}

TEST(StationRecords, APartialLastEntryIsStillLookedUp) {
    // The file ends inside the last entry: the table keeps it at pointCount().
    JobFeed run(" 12 ,IP, \r\n 13 ,CUT");
    run.feed(hvdRecord(1, 13, 152));
    EXPECT_EQ(run.obs().substr(0, run.obs().find("\r\n")),
              "S 00 S13                       P +1 CUT");
}

}  // namespace
}  // namespace zendro
