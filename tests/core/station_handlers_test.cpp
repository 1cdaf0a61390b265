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

    // The next shot's "BS," line carries the reference's stand-ins (no zenith
    // field yet), and the closing "TR," line the station, its height and the
    // reference point's height. Point 13 has no entry: its name line keeps
    // the description the reference looked up.
    run.clearOutput();
    run.feed(hvdRecord(4, 13, 155, 0, 9000000, 1000000)).finish();
    EXPECT_EQ(run.trv(), crlfLines({
                             "BS,90.0000Z,,100.0",
                             "FS,7 0,Z 90,S 100",
                             "TR, 12, 11, 13,0ARAR,*,0,1.52,1.55,1.50",
                             "NM, 13,CP-11 +NAIL",
                             "CB,0 00 00NA",
                         }));
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

    // The first backsight of a run has no former point (" 0"), and its own
    // height stands in for the former one's on the owed "TR," line, which the
    // next shot to another point pays. Point 13 has no entry: its name line
    // keeps the setup's description.
    run.clearOutput();
    run.feed(hvdRecord(1, 12, 152));
    run.feed(hvdRecord(4, 13, 155, 0, 9000000, 1000000));
    run.feed(hvdRecord(4, 14, 155, 0, 9000000, 1000000));
    EXPECT_EQ(run.trv(), crlfLines({
                             "BS,7 0,Z 89.9972222222222,S 123.4567",
                             "FS,7 0,Z 90,S 100",
                             "TR, 12, 0, 13,0ARAR,*,0,1.52,1.55,1.50",
                             "NM, 13,IP FOUND",
                             "BS,7 0,Z 89.9972222222222,S 123.4567",
                             "FS,7 0,Z 90,S 100",
                         }));
}

TEST(StationRecords, RepeatedBacksightKeepsThePriorFieldsAndANewPointMovesThem) {
    // The owed "TR," line names the backsight before the latest change of
    // backsight point, with that one's latest height.
    const auto owedTraverseLine = [](std::initializer_list<std::string> backsights) {
        JobFeed run(kPoints);
        run.feed(hvdRecord(1, 12, 152));
        for (const std::string& backsight : backsights) run.feed(backsight);
        run.feed(hvdRecord(4, 13, 155, 0, 9000000, 1000000));
        run.clearOutput();
        run.feed(hvdRecord(4, 14, 155, 0, 9000000, 1000000));
        return run.trv().substr(0, run.trv().find("\r\n"));
    };
    const std::string to11 = hvdRecord(3, 11, 150, 0, 9000000, 1234567);
    const std::string to11Again = hvdRecord(3, 11, 160, 0, 9000000, 1234567);
    const std::string to12 = hvdRecord(3, 12, 170, 0, 9000000, 1234567);
    EXPECT_EQ(owedTraverseLine({to11, to11Again}), "TR, 12, 0, 13,0ARAR,*,0,1.52,1.55,1.50");
    EXPECT_EQ(owedTraverseLine({to11, to11Again, to12}), "TR, 12, 11, 13,0ARAR,*,0,1.52,1.55,1.60");
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
