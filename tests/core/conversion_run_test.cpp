// Whole conversions in a temporary folder: what is read, what is written, and
// what a failure leaves behind.

#include "conversion/conversion_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <iterator>

#include "common/errors.h"
#include "common/file_io.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::crlfLines;
using testing::hvdRecord;
using testing::readFile;
using testing::RecordingObserver;
using testing::TempDir;
using testing::writeFile;

const HeaderClock kClock = fixedHeaderClock({2026, 12, 7, 14, 30, 0});

const std::string kObsHeader = crlfLines({
    "H 00 GEOPAK OBS file created from Surveyor Dozirezir Binary files",
    "H 99 =====================================",
    "H 99 ",
    "H 99 TRANSLATED FROM: RUN-4.HVD",
    "H 99 DATE: 12-07-2026",
    "H 99 TIME: 14:30:00",
    "H 99 ",
    "H 99 USING ZENDRO.EXE VERSION 4.2.6",
    "H 99 =====================================",
});

const std::string kTrvHeader = crlfLines({
    "VE,1.0",
    "TY,1",
    "OP,1,1",
    "RE,=====================================",
    "RE,=                                   =",
    "RE,=   TRANSLATED FROM: RUN-4   .HVD   =",
    "RE,=   DATE: 12-07-2026                =",
    "RE,=   TIME: 14:30:00                  =",
    "RE,=                                   =",
    "RE,= USING ZENDRO.EXE VERSION 4.2.6   =",
    "RE,=====================================",
    "BB,0 00 00NA",
});

const std::string kEmptyChainSection =
    crlfLines({"R 99 CHAIN DATA STARTS HERE", "R 99 CHAIN DATA ENDS HERE"});

ConversionOptions withTrv() {
    ConversionOptions options;
    options.obsOnly = false;
    return options;
}

class ConversionRun : public ::testing::Test {
  protected:
    JobPaths job() const { return deriveJobPaths(dir.file("RUN-4.HVD")); }
    ConversionResult convert(const ConversionOptions& options = withTrv()) {
        return runConversion(job(), options, observer, kClock);
    }

    TempDir dir;
    RecordingObserver observer;
};

TEST_F(ConversionRun, EmptyJobWritesHeadersClosingLineAndEmptyChainSection) {
    writeFile(dir.file("RUN-4.HVD"), "");
    writeFile(dir.file("RUN-4.CTX"), "");
    writeFile(dir.file("RUN-4.RTX"), "");
    const ConversionResult result = convert();
    EXPECT_EQ(result.obsPath, dir.file("RUN-4.obs"));
    EXPECT_EQ(result.trvPath, dir.file("RUN-4.TRV"));
    EXPECT_EQ(readFile(dir.file("RUN-4.obs")), kObsHeader + kEmptyChainSection);
    EXPECT_EQ(readFile(dir.file("RUN-4.TRV")), kTrvHeader + crlfLines({"CB,0 00 00NA"}));
    EXPECT_EQ(readFile(dir.file("RUN-4.pf")), "");
    EXPECT_TRUE(observer.warnings.empty());
}

TEST_F(ConversionRun, StatusTextsInOrderAndProgressNeverAbove100) {
    std::string hvd;
    for (int i = 0; i < 10; ++i) hvd += hvdRecord(9, 0);
    writeFile(dir.file("RUN-4.HVD"), hvd);
    writeFile(dir.file("RUN-4.CTX"), "");
    writeFile(dir.file("RUN-4.RTX"), "");
    convert();
    EXPECT_EQ(observer.statuses,
              (std::vector<std::string>{"Reading Point Names", "Reading Notes",
                                        "Converting Point Observations", "Writing Chains",
                                        "Conversion Complete"}));
    for (double value : observer.progressValues) {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 100);
    }
    EXPECT_EQ(observer.progressValues.back(), 100);
}

TEST_F(ConversionRun, MissingHvdFileIsRefusedAndNothingIsWritten) {
    writeFile(dir.file("RUN-4.CTX"), testing::ctxPrologue() + testing::ctxRecord(1, 1, "EP"));
    writeFile(dir.file("RUN-4.obs"), "previous");
    try {
        convert();
        FAIL() << "the conversion should have been refused";
    } catch (const ZendroError& error) {
        EXPECT_EQ(std::string(error.what()),
                  dir.file("RUN-4.HVD") + ": the HVD file does not exist");
    }
    EXPECT_EQ(readFile(dir.file("RUN-4.obs")), "previous");
    EXPECT_FALSE(fileExists(dir.file("RUN-4.TRV")));
    EXPECT_FALSE(fileExists(dir.file("RUN-4.pf")));
}

TEST_F(ConversionRun, MissingCtxAndRtxFilesAreReadAsEmptyWithWarnings) {
    writeFile(dir.file("RUN-4.HVD"), hvdRecord(9, 0));
    convert(ConversionOptions{});
    EXPECT_EQ(readFile(dir.file("RUN-4.obs")),
              kObsHeader + crlfLines({"R 99 DISTANCE UNIT = FEET"}) + kEmptyChainSection);
    // No empty field files and no empty point-feature file are left behind.
    EXPECT_FALSE(fileExists(dir.file("RUN-4.CTX")));
    EXPECT_FALSE(fileExists(dir.file("RUN-4.RTX")));
    EXPECT_FALSE(fileExists(dir.file("RUN-4.pf")));
    ASSERT_EQ(observer.warnings.size(), 2u);
    EXPECT_NE(observer.warnings[0].find(dir.file("RUN-4.CTX")), std::string::npos);
    EXPECT_NE(observer.warnings[1].find(dir.file("RUN-4.RTX")), std::string::npos);
}

TEST_F(ConversionRun, PartialLastRecordIsIgnoredWithAWarning) {
    writeFile(dir.file("RUN-4.HVD"), hvdRecord(9, 0) + hvdRecord(10, 0).substr(0, 7));
    writeFile(dir.file("RUN-4.CTX"), "");
    writeFile(dir.file("RUN-4.RTX"), "");
    convert(ConversionOptions{});
    EXPECT_EQ(readFile(dir.file("RUN-4.obs")),
              kObsHeader + crlfLines({"R 99 DISTANCE UNIT = FEET"}) + kEmptyChainSection);
    ASSERT_EQ(observer.warnings.size(), 2u);
    EXPECT_EQ(observer.warnings[0], dir.file("RUN-4.HVD") +
                                        ": the last 7 bytes are not a whole record and were not "
                                        "converted");
}

// Cut inside the third record: the setup on 1 and the shot to 2 are whole, so
// of the entries 1 to 5 and 100002 (the second feature of 2) the three of 3,
// 4 and 5 were never observed.
TEST_F(ConversionRun, AShortDownloadWarnsWithTheRecordsAndTheUnobservedEntries) {
    const std::string records = hvdRecord(1, 1, 150) + hvdRecord(5, 2, 150, 0, 9000000, 10000) +
                                hvdRecord(5, 3, 150, 0, 9000000, 10000);
    writeFile(dir.file("RUN-4.HVD"), records.substr(0, 2 * 18 + 10));
    writeFile(dir.file("RUN-4.RTX"), "");
    writeFile(dir.file("RUN-4.pf"),
              crlfLines({"1,IP,", "2,EP,", "100002,CL,", "3,EP,", "4,EP,", "5,EP,", "A17,X,"}));
    const ConversionResult cut = convert(ConversionOptions{});
    ASSERT_TRUE(cut.shortDownload.has_value());
    EXPECT_EQ(cut.shortDownload->wholeRecords, 2u);
    EXPECT_EQ(cut.shortDownload->unobservedEntries, 3u);
    EXPECT_EQ(cut.recordCount, 2u);
    ASSERT_EQ(observer.warnings.size(), 2u);
    EXPECT_EQ(observer.warnings[1],
              dir.file("RUN-4.HVD") +
                  ": the HVD file ends inside a record, the download may be cut short: 2 whole "
                  "records converted, 3 point-feature entries that no record observed");
    EXPECT_EQ(cut.warningCount, 2u);

    // The whole download says nothing of the kind.
    writeFile(dir.file("RUN-4.HVD"), records);
    observer.warnings.clear();
    const ConversionResult whole = convert(ConversionOptions{});
    EXPECT_FALSE(whole.shortDownload.has_value());
    EXPECT_TRUE(observer.warnings.empty()) << observer.warnings[0];
}

TEST_F(ConversionRun, FieldFilesAreFoundWhateverTheCaseOfTheirExtension) {
    writeFile(dir.file("RUN-4.hvd"), hvdRecord(1, 5, 150));
    writeFile(dir.file("RUN-4.ctx"), testing::ctxPrologue() + testing::ctxRecord(1, 5, "IP"));
    writeFile(dir.file("RUN-4.Rtx"), "");
    convert(ConversionOptions{});
    EXPECT_EQ(readFile(dir.file("RUN-4.pf")), " 5 ,IP, \r\n");
    EXPECT_NE(readFile(dir.file("RUN-4.obs")).find("S 00 S5                        P +1 IP\r\n"),
              std::string::npos);
}

TEST_F(ConversionRun, ObsOnlyLeavesAnExistingTrvFileAsItWas) {
    writeFile(dir.file("RUN-4.HVD"), "");
    writeFile(dir.file("RUN-4.CTX"), "");
    writeFile(dir.file("RUN-4.RTX"), "");
    writeFile(dir.file("RUN-4.TRV"), "old trv");
    const ConversionResult result = convert(ConversionOptions{});
    EXPECT_EQ(result.trvPath, "");
    EXPECT_EQ(readFile(dir.file("RUN-4.TRV")), "old trv");
}

TEST_F(ConversionRun, AnExistingPointFeatureFileIsReadNotRebuilt) {
    writeFile(dir.file("RUN-4.HVD"), hvdRecord(1, 5, 150));
    writeFile(dir.file("RUN-4.CTX"), testing::ctxPrologue() + testing::ctxRecord(1, 5, "IP"));
    writeFile(dir.file("RUN-4.RTX"), "");
    writeFile(dir.file("RUN-4.pf"), "5,CORRECTED, \r\n");
    const ConversionResult result = convert(ConversionOptions{});
    EXPECT_FALSE(result.pointFeatureFileWritten);
    EXPECT_EQ(readFile(dir.file("RUN-4.pf")), "5,CORRECTED, \r\n");
    EXPECT_NE(readFile(dir.file("RUN-4.obs")).find("P +1 CORRECTED\r\n"), std::string::npos);
}

TEST_F(ConversionRun, NothingLeaksFromOneJobIntoTheNext) {
    // A first job with a taped point and notes...
    TempDir other;
    writeFile(other.file("A.HVD"), hvdRecord(5, 3, 0, 27000000, 9000000, 125000));
    writeFile(other.file("A.CTX"), testing::ctxPrologue() + testing::ctxRecord(1, 1, "CP") +
                                       testing::ctxRecord(1, 2, "IP") +
                                       testing::ctxRecord(1, 3, "TAPE EP"));
    writeFile(other.file("A.RTX"), "");
    runConversion(deriveJobPaths(other.file("A.HVD")), ConversionOptions{}, observer, kClock);

    // ...then a job with the same taped entry that no shot reaches.
    writeFile(dir.file("RUN-4.HVD"), "");
    writeFile(dir.file("RUN-4.CTX"), testing::ctxPrologue() + testing::ctxRecord(1, 1, "CP") +
                                         testing::ctxRecord(1, 2, "IP") +
                                         testing::ctxRecord(1, 3, "TAPE EP"));
    writeFile(dir.file("RUN-4.RTX"), "");
    convert(ConversionOptions{});
    EXPECT_NE(readFile(dir.file("RUN-4.obs")).find("01 D  00 00.0     90 00 00.0  4 0.000  S\r\n"),
              std::string::npos);
}

TEST_F(ConversionRun, AFailedWriteLeavesThePreviousOutputs) {
    writeFile(dir.file("RUN-4.HVD"), hvdRecord(9, 0));
    writeFile(dir.file("RUN-4.CTX"), testing::ctxPrologue() + testing::ctxRecord(1, 1, "CP"));
    writeFile(dir.file("RUN-4.RTX"), "");
    writeFile(dir.file("RUN-4.TRV"), "previous");
    // The OBS path is a folder, so the OBS file cannot be replaced: the TRV file
    // renamed before it is put back, and no point-feature file appears.
    ASSERT_EQ(::mkdir(dir.file("RUN-4.obs").c_str(), 0755), 0);
    try {
        convert();
        ADD_FAILURE() << "the conversion succeeded";
    } catch (const ZendroError& error) {
        EXPECT_EQ(std::string(error.what()),
                  dir.file("RUN-4.obs") + ": cannot be replaced (Is a directory)");
    }
    EXPECT_EQ(readFile(dir.file("RUN-4.TRV")), "previous");
    EXPECT_FALSE(std::filesystem::exists(dir.file("RUN-4.pf")));
    const auto files = std::distance(std::filesystem::directory_iterator(dir.path()),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(files, 5);  // the three field files, the TRV file and the folder
}

// Asks to stop once the record loop has begun.
class CancellingObserver final : public RunObserver {
  public:
    void status(std::string_view text) override {
        converting_ = text == "Converting Point Observations";
    }
    void progress(double) override {}
    void warning(std::string_view) override {}
    bool cancelRequested() const override { return converting_; }

  private:
    bool converting_ = false;
};

TEST_F(ConversionRun, ACancelledRunWritesNothing) {
    writeFile(dir.file("RUN-4.HVD"), hvdRecord(9, 0) + hvdRecord(1, 1, 150));
    writeFile(dir.file("RUN-4.CTX"), testing::ctxPrologue() + testing::ctxRecord(1, 1, "CP"));
    writeFile(dir.file("RUN-4.RTX"), "");
    writeFile(dir.file("RUN-4.obs"), "previous");
    CancellingObserver cancelling;
    try {
        runConversion(job(), withTrv(), cancelling, kClock);
        ADD_FAILURE() << "the run was not cancelled";
    } catch (const RunCancelled& error) {
        EXPECT_EQ(std::string(error.what()),
                  dir.file("RUN-4.HVD") + ": the conversion was cancelled");
    }
    EXPECT_EQ(readFile(dir.file("RUN-4.obs")), "previous");
    const auto files = std::distance(std::filesystem::directory_iterator(dir.path()),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(files,
              4);  // the three field files and the old OBS file: no TRV, no .pf, no temporary file
}

TEST_F(ConversionRun, ReplacedOutputsKeepTheirPermissions) {
    writeFile(dir.file("RUN-4.HVD"), "");
    writeFile(dir.file("RUN-4.obs"), "previous");
    ASSERT_EQ(::chmod(dir.file("RUN-4.obs").c_str(), 0640), 0);
    convert(ConversionOptions{});
    struct stat info {};
    ASSERT_EQ(::stat(dir.file("RUN-4.obs").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // No temporary file is left beside the outputs.
    const auto files = std::distance(std::filesystem::directory_iterator(dir.path()),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(files, 3);  // RUN-4.HVD, RUN-4.obs and the record RUN-4.zendro-written
}

}  // namespace
}  // namespace zendro
