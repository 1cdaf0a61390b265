// Note markers, information records, deleted and unknown records.

#include <gtest/gtest.h>

#include "tests/core/job_feed.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::crlfLines;
using testing::hvdRecord;
using testing::JobFeed;
using testing::rtxNote;
using testing::rtxPrologue;

const std::string kNoteMarker = hvdRecord(6, 0);

// Notes 1 to 4 of one record each, then FOUND IRON PIN / BENT at 5 and 6.
std::string notesFile() {
    std::string rtx = rtxPrologue();
    for (int i = 1; i <= 4; ++i) rtx += rtxNote(1, "NOTE " + std::to_string(i));
    rtx += rtxNote(2, "FOUND IRON PIN" + std::string(11, '\0') + "BENT");
    rtx += rtxNote(1, "TRAILING FILL   ");
    return rtx;
}

TEST(NoteMarkers, TheFirstFiveOfARunPrintNothing) {
    JobFeed run("", JobFeed::trvOptions(), notesFile());
    for (int i = 0; i < 5; ++i) run.feed(kNoteMarker);
    EXPECT_EQ(run.obs(), "");
    EXPECT_EQ(run.trv(), "");
    EXPECT_EQ(run.state().noteCursor, 4);
}

TEST(NoteMarkers, TheSixthPrintsItsNoteWithContinuationLines) {
    JobFeed run("", JobFeed::trvOptions(), notesFile());
    for (int i = 0; i < 6; ++i) run.feed(kNoteMarker);
    EXPECT_EQ(run.trv(), crlfLines({"RE,*****      FOUND IRON PIN", "RE, *****BENT"}));
    EXPECT_EQ(run.obs(), crlfLines({"R 99 *****    FOUND IRON PIN", "R 99 *****BENT"}));
    EXPECT_EQ(run.state().noteCursor, 6);

    run.clearOutput();
    run.feed(kNoteMarker);
    // Note text bytes pass through unchanged, trailing fill included.
    EXPECT_EQ(run.obs(), crlfLines({"R 99 *****    TRAILING FILL   "}));
}

TEST(NoteMarkers, AMarkerBeyondTheLastNotePrintsAnEmptyFirstLine) {
    JobFeed run("", JobFeed::trvOptions(), notesFile());
    for (int i = 0; i < 9; ++i) run.feed(kNoteMarker);
    run.clearOutput();
    run.feed(kNoteMarker);
    EXPECT_EQ(run.trv(), crlfLines({"RE,*****      "}));
    EXPECT_EQ(run.obs(), crlfLines({"R 99 *****    "}));
    EXPECT_EQ(run.state().noteCursor, 10);
}

TEST(NoteMarkers, ObsOnlyAdvancesTheCursorTheSameWay) {
    ConversionOptions options;
    options.obsOnly = true;
    JobFeed run("", options, notesFile());
    for (int i = 0; i < 6; ++i) run.feed(kNoteMarker);
    EXPECT_EQ(run.obs(), crlfLines({"R 99 *****    FOUND IRON PIN", "R 99 *****BENT"}));
    EXPECT_EQ(run.trv(), "");
    EXPECT_EQ(run.state().noteCursor, 6);
}

TEST(InformationRecords, FixedRemarksWithTheChosenDistanceUnit) {
    JobFeed feet("");
    for (int kind : {9, 10, 11, 12, 13, 252, 14, 0, 255, 7, 8}) feet.feed(hvdRecord(kind, 5));
    EXPECT_EQ(feet.trv(), crlfLines({
                              "RE,DISTANCE UNIT = FEET",
                              "RE,ANGLE UNIT = DDD.MMSS",
                              "RE,AZIMUTH SYSTEM = NORTH",
                              "RE,ANGLE DIRECTION = RIGHT",
                              "RE,VERTICAL SYSTEM = ZENITH",
                              "RE,<<DELETED RECORD>>",
                              "RE,<<UNKNOWN RECORD>>",
                              "RE,<<UNKNOWN RECORD>>",
                              "RE,<<UNKNOWN RECORD>>",
                          }));
    EXPECT_EQ(feet.obs(), crlfLines({
                              "R 99 DISTANCE UNIT = FEET",
                              "R 99 ANGLE UNIT = DDD.MMSS",
                              "R 99 AZIMUTH SYSTEM = NORTH",
                              "R 99 ANGLE DIRECTION = RIGHT",
                              "R 99 VERTICAL SYSTEM = ZENITH",
                              "R 99 <<DELETED RECORD>>",
                              "R 99 <<??Deleted?? Record>>",
                              "R 99 <<??Deleted?? Record>>",
                              "R 99 <<??Deleted?? Record>>",
                          }));

    ConversionOptions options = JobFeed::trvOptions();
    options.unit = LengthUnit::Metre;
    JobFeed meters("", options);
    meters.feed(hvdRecord(9, 0));
    EXPECT_EQ(meters.obs(), crlfLines({"R 99 DISTANCE UNIT = METERS"}));
}

TEST(InformationRecords, LeaveTheOwedLineOwed) {
    JobFeed run(crlfLines({"13,CP, ", "14,CP, "}));
    run.feed(hvdRecord(4, 13, 150, 0, 9000000, 100000));
    for (int kind : {6, 9, 252, 99, 1}) run.feed(hvdRecord(kind, 1));
    EXPECT_EQ(run.state().pendingLine, PendingLine::Traverse);
    EXPECT_EQ(run.state().lastRecordKind, field_format::RecordKind::Setup);
    run.clearOutput();
    run.feed(hvdRecord(4, 14, 150, 0, 9000000, 100000));
    EXPECT_EQ(run.trv().substr(0, 3), "TR,");
}

}  // namespace
}  // namespace zendro
