// Taped shots written as setups of their own, and the TRV closing lines.

#include <gtest/gtest.h>

#include "tests/core/job_feed.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::crlfLines;
using testing::hvdRecord;
using testing::JobFeed;

const std::string kTapedPoints = crlfLines({
    " 11 ,CP-11 +NAIL, ",
    " 12 ,IP FOUND, ",
    " 502 ,TAPE EP, ",
});

TEST(TapedShots, WrittenAsASetupOfTheirOwn) {
    JobFeed run(kTapedPoints);
    run.feed(hvdRecord(5, 502, 0, 27000000, 9000000, 125000));
    run.clearOutput();
    run.finish();
    EXPECT_EQ(run.obs(),
              crlfLines({
                  "S 00 S12       P +1 IP FOUND",
                  "S 01 ",
                  "O 00 S11                       P N1 TAPE EP",
                  "O 04             0.00           01 D   0 00 00.0",
                  "O 00 S502                      P N1 EP",
                  "O 01             0.00           01 D 270 00 00.0  90 00 00.0  3 12.500 S",
              }));
}

TEST(TapedShots, AnUnmatchedTapedEntryHasNoDirectionAndZeroDistance) {
    // The direction prints as nothing: "01 D " runs straight into " 00 00.0".
    const std::string kUnmatchedObservation = "O 01" + std::string(13, ' ') + "0.00" +
                                              std::string(11, ' ') + "01 D  00 00.0" +
                                              std::string(4, ' ') + " 90 00 00.0  4 0.000  S";
    JobFeed run(crlfLines({"1,A, ", "2,B, ", "3,XTAPEX,NOTE", "4,TAPE, "}));
    run.finish();
    EXPECT_EQ(run.obs(), crlfLines({
                             "S 00 S2        P +1 B",
                             "S 01 ",
                             "O 00 S1                        P N1 XTAPEX",
                             "O 04             0.00           01 D   0 00 00.0",
                             "O 00 S3                        P N1 XTAPEX",
                             kUnmatchedObservation,
                             "O 99 NOTE",
                             // Each block uses the two entries directly before it, taped or not.
                             "S 00 S3        P +1 XTAPEX",
                             "S 01 ",
                             "O 00 S2                        P N1 TAPE",
                             "O 04             0.00           01 D   0 00 00.0",
                             // "TAPE" without a following space stays in the point line.
                             "O 00 S4                        P N1 TAPE",
                             kUnmatchedObservation,
                         }));
}

TEST(TapedShots, AnEntryWithoutTwoEntriesBeforeItIsSkippedWithAWarning) {
    JobFeed run(crlfLines({"7,TAPE EP, ", "8,TAPE CL, ", "9,EP, "}));
    run.finish();
    EXPECT_EQ(run.obs(), "");
    ASSERT_EQ(run.observer().warnings.size(), 2u);
    EXPECT_NE(run.observer().warnings[0].find("taped point 7"), std::string::npos);
    EXPECT_NE(run.observer().warnings[1].find("taped point 8"), std::string::npos);
}

TEST(TapedShots, LongDistancePushesTheFinalSAndCommentsFollow) {
    JobFeed run(crlfLines({"11,CP, ", "12,IP, ", "502,TAPE EP,CHECK"}));
    run.feed(hvdRecord(5, 502, 0, 0, 9000000, 12345678));
    run.clearOutput();
    run.finish();
    EXPECT_NE(run.obs().find("01 D 180 00 00.0  90 00 00.0  1 1234.568\r\n" + std::string(71, ' ') +
                             "S\r\nO 99 CHECK\r\n"),
              std::string::npos);
}

TEST(TapedShots, TextAndEmptyNamesPrintAsTextAndNothing) {
    JobFeed run(crlfLines({"A1,REF, ", ",STA, ", "B2,TAPE EP, "}));
    run.finish();
    EXPECT_EQ(run.obs().substr(0, run.obs().find("\r\n")), "S 00 S         P +1 STA");
    EXPECT_NE(run.obs().find("O 00 SA1                       P N1 TAPE EP"), std::string::npos);
    EXPECT_NE(run.obs().find("O 00 SB2                       P N1 EP"), std::string::npos);
}

TEST(ClosingLines, LastTraverseUsesTheCurrentBacksight) {
    JobFeed run(crlfLines({"12,IP, ", "11,CP, ", "13,CP-13, ", "14,EP, "}));
    run.feed(hvdRecord(1, 12, 152));
    run.feed(hvdRecord(3, 11, 150, 0, 9000000, 1000000));
    run.feed(hvdRecord(3, 14, 160, 0, 9000000, 1000000));
    run.feed(hvdRecord(4, 13, 155, 0, 9000000, 1000000));
    run.feed(hvdRecord(4, 13, 155, 0, 9000000, 1000000));
    run.clearOutput();
    run.finish();
    EXPECT_EQ(run.trv(), crlfLines({
                             "TR, 12, 14, 13,0ARAR,*,0,1.52,1.55,1.60",
                             "NM, 13,CP-13",
                             "CB,0 00 00NA",
                         }));
}

TEST(ClosingLines, LastSideshotWritesItsSummary) {
    JobFeed run(crlfLines({"12,IP, ", "11,CP, ", "501,EP,X"}));
    run.feed(hvdRecord(1, 12, 152)).feed(hvdRecord(2, 11, 150, 4530150));
    run.feed(hvdRecord(5, 501, 180, 0, 9000000, 1000000));
    run.clearOutput();
    run.finish();
    EXPECT_EQ(run.trv(), crlfLines({
                             "SS, 12, 11, 501,0ARAR,*,0,1.52,1.80,1.50",
                             "NM, 501,EP",
                             "CB,0 00 00NA",
                         }));
}

TEST(ClosingLines, AnyOtherLastRecordLeavesTheOwedLineUnwritten) {
    JobFeed run(crlfLines({"13,CP, "}));
    run.feed(hvdRecord(4, 13, 155, 0, 9000000, 1000000)).feed(hvdRecord(6, 0));
    run.clearOutput();
    run.finish();
    EXPECT_EQ(run.trv(), crlfLines({"CB,0 00 00NA"}));

    JobFeed empty("");
    empty.finish();
    EXPECT_EQ(empty.trv(), crlfLines({"CB,0 00 00NA"}));
}

TEST(ClosingLines, ObsOnlyWritesNothingToTheTrvFileButStillTheTapedShots) {
    ConversionOptions options;
    options.obsOnly = true;
    JobFeed run(kTapedPoints, options);
    run.feed(hvdRecord(5, 502, 0, 27000000, 9000000, 125000));
    run.clearOutput();
    run.finish();
    EXPECT_EQ(run.trv(), "");
    EXPECT_NE(run.obs().find("O 00 S502                      P N1 EP"), std::string::npos);
}

}  // namespace
}  // namespace zendro
