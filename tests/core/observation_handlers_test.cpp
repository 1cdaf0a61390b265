// Traverse shots and sideshots: the owed summary lines, the OBS shot lines,
// second features and taped marks.

#include <gtest/gtest.h>

#include "tests/core/job_feed.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::crlfLines;
using testing::hvdRecord;
using testing::JobFeed;

const std::string kPoints = crlfLines({
    " 12 ,IP FOUND, ",
    " 11 ,CP-11 +NAIL, ",
    " 13 ,CP-13, ",
    " 501 ,EP ASPH,CHECK",
    " 502 ,TAPE EP, ",
});

// Station 12 (height 1.52), first backsight to 11 (height 1.50).
void atStation12(JobFeed& run) {
    run.feed(hvdRecord(1, 12, 152));
    run.feed(hvdRecord(3, 11, 150, 0, 8959500, 1234567));
    run.clearOutput();
}

const std::string kTraverseTo13 = hvdRecord(4, 13, 155, 12345300, 9000100, 2501234);
const std::string kSideshotTo501 = hvdRecord(5, 501, 180, 20010050, 9102030, 456789);

TEST(ShotRecords, TraverseWritesBacksightForesightAndObsLines) {
    JobFeed run(kPoints);
    atStation12(run);
    run.feed(kTraverseTo13);
    EXPECT_EQ(run.trv(), crlfLines({
                             "BS,7 0,Z 89.9972222222222,S 123.4567",
                             "FS,7 123.758333333333,Z 90.0027777777778,S 250.1234",
                         }));
    EXPECT_EQ(run.obs(),
              crlfLines({
                  "O 00 S13                       P +1 CP13",
                  "O 01             1 1.55         01 D 123 45 30.0  90 00 10.0  2 250.123S",
              }));
    EXPECT_EQ(run.state().pendingLine, PendingLine::Traverse);
}

TEST(ShotRecords, SideshotPaysTheOwedTraverseLineThenWritesItsOwn) {
    JobFeed run(kPoints);
    atStation12(run);
    run.feed(kTraverseTo13);
    run.clearOutput();
    run.feed(kSideshotTo501);
    EXPECT_EQ(run.trv(), crlfLines({
                             "TR, 12, 0, 13,0ARAR,*,0,1.52,1.55,1.50",
                             "NM, 13,CP-13",
                             "BS,7 0,Z 89.9972222222222,S 123.4567",
                             "FS,7  200.168055555556,Z  91.0341666666667,S  45.6789",
                         }));
    EXPECT_EQ(run.obs(),
              crlfLines({
                  "O 00 S501                      P +1 EP ASPH",
                  "O 99 CHECK",
                  "O 01             1 1.80         01 D 200 10 05.0  91 02 03.0  3 45.679 S",
              }));
    EXPECT_EQ(run.state().pendingLine, PendingLine::Sideshot);
}

TEST(ShotRecords, TapedSideshotCarriesTheMarkAndRecordsDistanceAndDirection) {
    JobFeed run(kPoints);
    atStation12(run);
    run.feed(hvdRecord(5, 502, 0, 27000000, 9000000, 125000));
    EXPECT_EQ(run.obs(),
              crlfLines({
                  "OD00 S502                      P +1 TAPE EP",
                  "OD01             1 0.00         01 D 270 00 00.0  90 00 00.0  3 12.500 S",
              }));
    EXPECT_DOUBLE_EQ(run.taped().at(5).distance, 12.5);
    EXPECT_EQ(run.taped().at(5).directionDegrees, 270);
    EXPECT_EQ(run.state().tapedMark, "D");
}

TEST(ShotRecords, TapedDirectionFromTheWholeHorizontalDegrees) {
    const std::pair<std::uint32_t, int> cases[] = {
        {0, 180}, {100000, 270}, {36000000, 270}, {36100000, 90}, {40000000, 90}};
    for (const auto& [angle, direction] : cases) {
        JobFeed run(kPoints);
        atStation12(run);
        run.feed(hvdRecord(5, 502, 0, angle, 9000000, 125000));
        EXPECT_EQ(run.taped().at(5).directionDegrees, direction) << angle;
    }
    // Shot twice: the later shot's values stay.
    JobFeed twice(kPoints);
    atStation12(twice);
    twice.feed(hvdRecord(5, 502, 0, 0, 9000000, 125000));
    twice.feed(hvdRecord(5, 502, 0, 27000000, 9000000, 250000));
    EXPECT_EQ(twice.taped().at(5).directionDegrees, 270);
    EXPECT_DOUBLE_EQ(twice.taped().at(5).distance, 25);
}

TEST(ShotRecords, RepeatedShotsToOnePointOweTheSummaryLineOnlyOnce) {
    JobFeed run(kPoints);
    atStation12(run);
    run.feed(kTraverseTo13).feed(kTraverseTo13);
    EXPECT_EQ(run.trv().find("TR,"), std::string::npos);
    EXPECT_EQ(run.trv(), crlfLines({
                             "BS,7 0,Z 89.9972222222222,S 123.4567",
                             "FS,7 123.758333333333,Z 90.0027777777778,S 250.1234",
                             "BS,7 0,Z 89.9972222222222,S 123.4567",
                             "FS,7 123.758333333333,Z 90.0027777777778,S 250.1234",
                         }));
    run.clearOutput();
    run.feed(kSideshotTo501);
    EXPECT_EQ(run.trv().substr(0, run.trv().find("\r\n")),
              "TR, 12, 0, 13,0ARAR,*,0,1.52,1.55,1.50");
}

TEST(ShotRecords, SideshotThenTraverseAndBackPaysEachLineOnce) {
    JobFeed run(kPoints);
    atStation12(run);
    run.feed(kSideshotTo501).feed(kTraverseTo13).feed(kSideshotTo501);
    const std::string& trv = run.trv();
    SCOPED_TRACE(trv);
    EXPECT_NE(trv.find("SS, 12, 11, 501,0ARAR,*,0,1.52,1.80,1.50\r\nNM, 501,EP ASPH\r\n"),
              std::string::npos);
    EXPECT_NE(trv.find("TR, 12, 0, 13,0ARAR,*,0,1.52,1.55,1.50\r\nNM, 13,CP-13\r\n"),
              std::string::npos);
    // The next shot to another point pays the last sideshot's line.
    run.clearOutput();
    run.feed(hvdRecord(5, 13, 155, 0, 9000000, 100000));
    EXPECT_NE(run.trv().find("SS, 12, 11, 501,"), std::string::npos);
}

TEST(ShotRecords, ObsOnlyWritesTheSameObsLinesAndNoTrvLine) {
    ConversionOptions options;
    options.obsOnly = true;
    JobFeed obsOnly(kPoints, options);
    JobFeed both(kPoints);
    for (JobFeed* run : {&obsOnly, &both}) {
        run->feed(hvdRecord(1, 12, 152)).feed(hvdRecord(3, 11, 150, 0, 8959500, 1234567));
        run->feed(kTraverseTo13).feed(kSideshotTo501).feed(kTraverseTo13);
    }
    EXPECT_EQ(obsOnly.obs(), both.obs());
    EXPECT_EQ(obsOnly.trv(), "");
    EXPECT_NE(both.trv(), "");
}

std::vector<std::string> missingEntryWarnings(const JobFeed& run) {
    std::vector<std::string> found;
    for (const std::string& warning : run.observer().warnings) {
        if (warning.find(": no entry in ") != std::string::npos) found.push_back(warning);
    }
    return found;
}

// Before any lookup has found an entry, the mark is a space like every other
// shot's: the point line keeps its code at column 32 and the observation line
// its height at column 17.
TEST(ShotRecords, BeforeAnyMatchTheLinesKeepTheirColumns) {
    JobFeed run(kPoints);
    run.feed(hvdRecord(4, 77, 150, 0, 9000000, 100000));
    EXPECT_EQ(run.obs(), crlfLines({
                             "O 00 S77" + std::string(23, ' ') + " +1 ",
                             "O 01" + std::string(13, ' ') +
                                 "1 1.50         01 D   0 00 00.0  90 00 00.0  3 10.000 S",
                         }));
    EXPECT_EQ(missingEntryWarnings(run),
              std::vector<std::string>{"point 77: no entry in FEED.pf; its lines carry no description"});
}

// A point without an entry carries the description of the point looked up
// before it: the bytes stay, and one warning per point says so. A sideshot
// carries what the sideshot before it looked up: here nothing yet.
TEST(ShotRecords, APointWithoutAnEntryIsWarnedOnce) {
    JobFeed run(kPoints);
    atStation12(run);
    run.feed(kTraverseTo13);
    run.clearOutput();
    run.feed(hvdRecord(4, 99, 150, 0, 9000000, 100000));
    run.feed(hvdRecord(4, 99, 150, 100, 9000000, 100000));
    run.feed(hvdRecord(5, 98, 150, 100, 9000000, 100000));
    EXPECT_EQ(run.obs().substr(0, run.obs().find("\r\n")),
              "O 00 S99" + std::string(23, ' ') + "P +1 CP13");
    EXPECT_EQ(missingEntryWarnings(run),
              (std::vector<std::string>{
                  "point 99: no entry in FEED.pf; its lines carry the description \"CP-13\" of "
                  "point 13",
                  "point 98: no entry in FEED.pf; its lines carry no description"}));
}

TEST(ShotRecords, VerticalAngleWarnings) {
    JobFeed traverse(kPoints);
    atStation12(traverse);
    traverse.feed(hvdRecord(4, 13, 150, 0, 959599, 100000));
    EXPECT_NE(traverse.obs().find("3 10.000 S\r\nR 99 ***WARNING*** Vertical Angle less than 10 "
                                  "Degrees\r\n"),
              std::string::npos);

    // A sideshot's warning carries the taped mark; a traverse's never does.
    JobFeed taped(kPoints);
    atStation12(taped);
    taped.feed(hvdRecord(5, 502, 0, 0, 959599, 100000));
    EXPECT_NE(taped.obs().find("\r\nRD99 ***WARNING*** Vertical Angle less than 10 Degrees\r\n"),
              std::string::npos);
    JobFeed tapedTraverse(kPoints);
    atStation12(tapedTraverse);
    tapedTraverse.feed(hvdRecord(4, 502, 0, 0, 959599, 100000));
    EXPECT_NE(tapedTraverse.obs().find("\r\nR 99 ***WARNING***"), std::string::npos);
    EXPECT_EQ(tapedTraverse.obs().find("RD99"), std::string::npos);

    JobFeed high(kPoints);
    atStation12(high);
    high.feed(hvdRecord(5, 501, 0, 0, 35000000, 100000));
    EXPECT_EQ(high.obs().find("WARNING"), std::string::npos);
}

TEST(ShotRecords, SecondFeatureRepeatsTheObservationAndNeedsATwoCharacterComment) {
    const std::string points = crlfLines({
        " 1001 ,EP,A",
        " 101001 ,+FL*,B",
        " 1002 ,EP,AB",
        " 101002 ,FL,CD",
    });
    JobFeed run(points);
    run.feed(hvdRecord(5, 1001, 150, 0, 959599, 100000));
    EXPECT_EQ(run.obs(),
              crlfLines({
                  "O 00 S1001                     P +1 EP",
                  "O 99 A",
                  "O 01             1 1.50         01 D   0 00 00.0   9 59 59.9  3 10.000 S",
                  "R 99 ***WARNING*** Vertical Angle less than 10 Degrees",
                  "O 00 S101001                   C +1 FL*",
                  "O 01             1 1.50         01 D   0 00 00.0   9 59 59.9  3 10.000 S",
                  "R 99 ***WARNING*** Vertical Angle less than 10 Degrees",
              }));

    run.clearOutput();
    run.feed(hvdRecord(4, 1002, 150, 0, 9000000, 100000));
    EXPECT_EQ(run.obs(),
              crlfLines({
                  "O 00 S1002                     P +1 EP",
                  "O 99 AB",
                  "O 01             1 1.50         01 D   0 00 00.0  90 00 00.0  3 10.000 S",
                  "O 00 S101002                   P +1 FL",
                  "O 01             1 1.50         01 D   0 00 00.0  90 00 00.0  3 10.000 S",
                  "O 99 CD",
              }));
}

TEST(ShotRecords, APointWithoutAnEntryKeepsEveryLookupValue) {
    JobFeed run(kPoints);
    atStation12(run);
    run.feed(hvdRecord(5, 502, 0, 27000000, 9000000, 125000));
    run.clearOutput();
    run.feed(hvdRecord(5, 900, 0, 0, 9000000, 125000));
    EXPECT_EQ(run.obs().substr(0, run.obs().find("\r\n")),
              "OD00 S900                      P +1 TAPE EP");
}

TEST(ShotRecords, TextNamesNeverMatchAndSecondFeaturesOnlyFollowAMatch) {
    JobFeed run(crlfLines({"A17,TEXT, ", " 17 ,NUM, ", "101017,X,Y"}));
    run.feed(hvdRecord(4, 17, 150, 0, 9000000, 100000));
    EXPECT_EQ(run.obs().substr(0, run.obs().find("\r\n")),
              "O 00 S17                       P +1 NUM");
    EXPECT_NE(run.obs().find("O 00 S101017                   P +1 X"), std::string::npos);
}

}  // namespace
}  // namespace zendro
