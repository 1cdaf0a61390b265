#include "features/point_name_pass.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/job_paths.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::crlfLines;
using testing::ctxPrologue;
using testing::ctxRecord;
using testing::readFile;
using testing::RecordingObserver;
using testing::TempDir;
using testing::writeFile;

// The point-feature file text that the pass makes from these CTX bytes.
std::string pfFromCtx(const std::string& ctx, std::string_view commentCode = ",") {
    NullObserver observer;
    return pointFeatureFileText(readPointNames(ctx, observer), commentCode);
}

// ---------------------------------------------------------------------------
// Reading the CTX records

TEST(CtxRecords, CountBytesOneThreeAndZeroPlaceTheNextRecord) {
    const std::string longText = std::string(84, 'A') + "Z";  // 85 bytes, all read
    const std::string ctx = ctxPrologue() + ctxRecord(1, 1001, "EP") +
                            ctxRecord(3, 1002, longText) + ctxRecord(0, 1003, "NOT READ") +
                            ctxRecord(1, 1004, "CL");
    RecordingObserver observer;
    const std::vector<NamedFeature> features = readPointNames(ctx, observer);

    EXPECT_EQ(pointFeatureFileText(features, ","),
              crlfLines({" 1001 ,EP, ", " 1002 ," + longText + ", ", " 1003 ,, ", " 1004 ,CL, "}));
    // Records start at the 1-based positions 181, 211, 301 and 331 of 360 bytes.
    EXPECT_EQ(observer.progressValues, (std::vector<double>{100.0 * 181 / 360, 100.0 * 211 / 360,
                                                            100.0 * 301 / 360, 100.0 * 331 / 360}));
}

TEST(CtxRecords, PointNumberBytesAreLowByteFirstAndUnsigned) {
    std::string record = std::string("\x01\x00\x00\xE9\x03", 5) + "EP";
    record.resize(30, '\0');
    std::string highest = std::string("\x01\x00\x00\xFF\xFF", 5) + "CL~FL";
    highest.resize(30, '\0');

    EXPECT_EQ(pfFromCtx(ctxPrologue() + record + highest),
              crlfLines({" 1001 ,EP, ", " 65535 ,CL, ", " 165535 ,FL, "}));
}

TEST(CtxRecords, ZeroBytesVanishAndSpacesAreTrimmedAtBothEnds) {
    EXPECT_EQ(pfFromCtx(ctxPrologue() + ctxRecord(1, 1001, std::string("E\0P  ", 5))),
              crlfLines({" 1001 ,EP, "}));
    EXPECT_EQ(pfFromCtx(ctxPrologue() + ctxRecord(1, 1002, std::string(" \0 E P \0 ", 9))),
              crlfLines({" 1002 ,E P, "}));
    EXPECT_EQ(pfFromCtx(ctxPrologue() + ctxRecord(1, 1003, "     ")), crlfLines({" 1003 ,, "}));
}

TEST(CtxRecords, LineBreaksInATextBecomeSpacesSoEveryEntryKeepsItsLine) {
    EXPECT_EQ(pfFromCtx(ctxPrologue() + ctxRecord(1, 1001, "EP\nOLD,CUT\r") +
                        ctxRecord(1, 1002, "\r\nCL")),
              crlfLines({" 1001 ,EP OLD,CUT", " 1002 ,CL, "}));
}

TEST(CtxRecords, TheFirst180BytesNeverContribute) {
    std::string prologue(180, '\0');
    prologue[0] = '\x01';
    prologue[3] = '\x05';
    prologue.replace(5, 2, "XX");
    EXPECT_EQ(pfFromCtx(prologue + ctxRecord(1, 7, "EP")), crlfLines({" 7 ,EP, "}));
    EXPECT_EQ(pfFromCtx(prologue), "");
    EXPECT_EQ(pfFromCtx(std::string(100, '\x01')), "");
}

TEST(CtxRecords, ARecordWhoseHeaderIsCutOffEndsThePass) {
    const std::string ctx =
        ctxPrologue() + ctxRecord(1, 1001, "EP") + std::string("\x01\x00\x00\xEA", 4);
    RecordingObserver observer;
    EXPECT_EQ(pointFeatureFileText(readPointNames(ctx, observer), ","), crlfLines({" 1001 ,EP, "}));
    EXPECT_EQ(observer.progressValues, (std::vector<double>{100.0 * 181 / 214}));
}

TEST(CtxRecords, TextPastTheEndOfTheFileCountsAsPadding) {
    // A two-block record cut off after five of its 55 text bytes.
    const std::string cut = ctxRecord(2, 1001, "EP FL  TAIL").substr(0, 10);
    EXPECT_EQ(pfFromCtx(ctxPrologue() + cut), crlfLines({" 1001 ,EP FL, "}));
    // Only the header is there.
    EXPECT_EQ(pfFromCtx(ctxPrologue() + cut.substr(0, 5)), crlfLines({" 1001 ,, "}));
}

// ---------------------------------------------------------------------------
// Second features after "~"

TEST(SecondFeatures, SplitAtTheFirstTildeWithoutTrimmingAgain) {
    const std::string ctx = ctxPrologue() + ctxRecord(1, 1001, "EP~FL") +
                            ctxRecord(1, 1002, "EP ~ FL") + ctxRecord(1, 1003, "A~B~C") +
                            ctxRecord(1, 1004, "~FL") + ctxRecord(1, 1005, " CL~ ");
    EXPECT_EQ(pfFromCtx(ctx), crlfLines({
                                  " 1001 ,EP, ",
                                  " 101001 ,FL, ",
                                  " 1002 ,EP , ",
                                  " 101002 , FL, ",
                                  " 1003 ,A, ",
                                  " 101003 ,B~C, ",
                                  " 1004 ,, ",
                                  " 101004 ,FL, ",
                                  " 1005 ,CL, ",
                                  " 101005 ,, ",
                              }));
}

// ---------------------------------------------------------------------------
// The point-feature lines and the comment delimiter

TEST(PointFeatureLines, CommaDelimiterSplitsAtTheFirstComma) {
    const std::vector<NamedFeature> features{
        {1001, "EP,EDGE OF PAVEMENT"}, {1002, "+CL*"}, {1003, "EP,EDGE, LEFT"}, {1004, ""}};
    EXPECT_EQ(pointFeatureFileText(features, ","), crlfLines({
                                                       " 1001 ,EP,EDGE OF PAVEMENT",
                                                       " 1002 ,+CL*, ",
                                                       " 1003 ,EP,EDGE, LEFT",
                                                       " 1004 ,, ",
                                                   }));
}

TEST(PointFeatureLines, TheCommentStartsAfterTheDelimitersFirstCharacter) {
    const std::vector<NamedFeature> features{
        {1001, "EP//NOTE"}, {1002, "EP/X"}, {1003, "EP,OLD//X"}, {1004, "//"}};
    EXPECT_EQ(pointFeatureFileText(features, "//"), crlfLines({
                                                        " 1001 ,EP,/NOTE",
                                                        " 1002 ,EP/X, ",
                                                        " 1003 ,EP,OLD,/X",
                                                        " 1004 ,,/",
                                                    }));
}

TEST(PointFeatureLines, DelimiterMatchesExactlyAndCaseSensitively) {
    const std::vector<NamedFeature> features{{1, "EPxNOTE"}, {2, "EPXNOTE"}};
    EXPECT_EQ(pointFeatureFileText(features, "X"), crlfLines({" 1 ,EPxNOTE, ", " 2 ,EP,NOTE"}));
}

TEST(PointFeatureLines, AnEmptyDelimiterMeansNoComment) {
    const std::vector<NamedFeature> features{{1001, "EP,EDGE"}, {1002, ""}};
    EXPECT_EQ(pointFeatureFileText(features, ""), crlfLines({" 1001 ,EP,EDGE, ", " 1002 ,, "}));
}

TEST(PointFeatureLines, NoFeaturesGiveNoText) { EXPECT_EQ(pointFeatureFileText({}, ","), ""); }

// ---------------------------------------------------------------------------
// The pass on a job folder

class PointNamePassTest : public ::testing::Test {
  protected:
    TempDir dir;
    JobPaths job = deriveJobPaths(dir.file("JOB.HVD"));
    RecordingObserver observer;
};

TEST_F(PointNamePassTest, BuildsThePointFeatureFileFromTheCtxFile) {
    writeFile(job.ctxPath, ctxPrologue() + ctxRecord(1, 1001, "EP,EDGE OF PAVEMENT") +
                               ctxRecord(1, 1002, "+CL*~TAPE"));

    EXPECT_TRUE(runPointNamePass(job, ",", observer));
    EXPECT_EQ(readFile(job.pfPath),
              crlfLines({" 1001 ,EP,EDGE OF PAVEMENT", " 1002 ,+CL*, ", " 101002 ,TAPE, "}));
    EXPECT_EQ(observer.statuses, std::vector<std::string>{"Reading Point Names"});
    EXPECT_EQ(observer.progressValues,
              (std::vector<double>{0, 100.0 * 181 / 240, 100.0 * 211 / 240}));
    EXPECT_TRUE(observer.warnings.empty());
}

TEST_F(PointNamePassTest, FindsACtxFileWhoseExtensionDiffersInCase) {
    writeFile(dir.file("JOB.ctx"), ctxPrologue() + ctxRecord(1, 5, "CL"));
    EXPECT_TRUE(runPointNamePass(job, ",", observer));
    EXPECT_EQ(readFile(job.pfPath), crlfLines({" 5 ,CL, "}));
}

TEST_F(PointNamePassTest, ACtxFileOf180BytesOrFewerGivesAnEmptyFile) {
    writeFile(job.ctxPath, ctxPrologue());
    EXPECT_TRUE(runPointNamePass(job, ",", observer));
    EXPECT_TRUE(std::filesystem::exists(job.pfPath));
    EXPECT_EQ(readFile(job.pfPath), "");

    std::filesystem::remove(job.pfPath);
    writeFile(job.ctxPath, "");
    EXPECT_TRUE(runPointNamePass(job, ",", observer));
    EXPECT_EQ(readFile(job.pfPath), "");
}

TEST_F(PointNamePassTest, AnExistingFileIsLeftUntouched) {
    const std::string edited = "1001,EP CORRECTED,BY HAND\r\n";
    writeFile(job.pfPath, edited);
    const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    std::filesystem::last_write_time(job.pfPath, longAgo);
    const auto writtenAt = std::filesystem::last_write_time(job.pfPath);
    writeFile(job.ctxPath, ctxPrologue() + ctxRecord(1, 1001, "EP"));

    EXPECT_FALSE(runPointNamePass(job, ",", observer));
    EXPECT_EQ(readFile(job.pfPath), edited);
    EXPECT_EQ(std::filesystem::last_write_time(job.pfPath), writtenAt);
    EXPECT_EQ(observer.statuses, std::vector<std::string>{"Reading Point Names"});
    EXPECT_TRUE(observer.progressValues.empty());
    EXPECT_TRUE(observer.warnings.empty());
}

TEST_F(PointNamePassTest, WithoutACtxFileItWarnsAndWritesNothing) {
    EXPECT_FALSE(runPointNamePass(job, ",", observer));
    EXPECT_FALSE(std::filesystem::exists(job.pfPath));
    EXPECT_EQ(observer.statuses, std::vector<std::string>{"Reading Point Names"});
    EXPECT_EQ(
        observer.warnings,
        std::vector<std::string>{
            job.ctxPath + ": the CTX file does not exist; the job has no point descriptions"});

    // Once the CTX file arrives, the next pass reads it.
    writeFile(job.ctxPath, ctxPrologue() + ctxRecord(1, 1001, "EP"));
    EXPECT_TRUE(runPointNamePass(job, ",", observer));
    EXPECT_EQ(readFile(job.pfPath), crlfLines({" 1001 ,EP, "}));
}

}  // namespace
}  // namespace zendro
