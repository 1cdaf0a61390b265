// A point-feature file kept from an earlier download against a new CTX file:
// the warning of every run, adding the new points, making it again.

#include "conversion/pf_update.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "conversion/conversion_run.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::crlfLines;
using testing::ctxPrologue;
using testing::ctxRecord;
using testing::hvdRecord;
using testing::readFile;
using testing::RecordingObserver;
using testing::TempDir;
using testing::writeFile;

// 2026-12-07 14:30:05 UTC.
constexpr std::time_t kNow = 1796653805;

// The old download had 1, 2 and 9 (the crew corrected 2 and added A17); the
// new one has 1, 2, 3 and 4, with 1004 carrying a second feature.
const std::string kOldPf = crlfLines({" 1 ,IP, ", "2,CORRECTED,note", " 9 ,OLD, ", "A17,X,"});

class PfFreshnessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        writeFile(dir.file("RUN-4.HVD"), hvdRecord(1, 1, 150));
        writeFile(dir.file("RUN-4.RTX"), "");
        writeFile(dir.file("RUN-4.pf"), kOldPf);
        writeFile(dir.file("RUN-4.CTX"), ctxPrologue() + ctxRecord(1, 1, "IP") +
                                             ctxRecord(1, 2, "EP") + ctxRecord(1, 3, "EP,X") +
                                             ctxRecord(1, 4, "CL~FL"));
        // The CTX file arrived an hour after the point-feature file was made.
        const auto pfTime = std::filesystem::last_write_time(dir.file("RUN-4.pf"));
        std::filesystem::last_write_time(dir.file("RUN-4.CTX"), pfTime + std::chrono::hours(1));
    }
    JobPaths job() const { return deriveJobPaths(dir.file("RUN-4.HVD")); }

    TempDir dir;
    RecordingObserver observer;
};

TEST_F(PfFreshnessTest, EveryRunWarnsAndConvertsWithTheFileAsItIs) {
    const ConversionResult result = runConversion(job(), ConversionOptions{}, observer);
    ASSERT_EQ(observer.warnings.size(), 1u);
    EXPECT_EQ(observer.warnings[0],
              dir.file("RUN-4.pf") + ": does not match " + dir.file("RUN-4.CTX") +
                  ": 3 CTX points without an entry (3, 4, 100004), 1 entries whose point the "
                  "CTX file no longer has (9), the CTX file is newer; converted with the "
                  "point-feature file as it is");
    EXPECT_EQ(result.warningCount, 1u);
    ASSERT_TRUE(result.stalePointFeatures.has_value());
    EXPECT_EQ(readFile(dir.file("RUN-4.pf")), kOldPf);

    // Points and entries alike, but the CTX file written later: still told.
    writeFile(dir.file("RUN-4.pf"), crlfLines({"1,IP,", "2,EP,", "3,EP,", "4,CL,", "100004,FL,"}));
    const auto pfTime = std::filesystem::last_write_time(dir.file("RUN-4.pf"));
    std::filesystem::last_write_time(dir.file("RUN-4.CTX"), pfTime + std::chrono::seconds(1));
    observer.warnings.clear();
    runConversion(job(), ConversionOptions{}, observer);
    ASSERT_EQ(observer.warnings.size(), 1u);
    EXPECT_NE(observer.warnings[0].find(": 0 CTX points without an entry, 0 entries whose point "
                                        "the CTX file no longer has, the CTX file is newer;"),
              std::string::npos)
        << observer.warnings[0];

    // Once the point-feature file is the newer, a match says nothing.
    std::filesystem::last_write_time(dir.file("RUN-4.CTX"), pfTime - std::chrono::seconds(1));
    observer.warnings.clear();
    runConversion(job(), ConversionOptions{}, observer);
    EXPECT_TRUE(observer.warnings.empty()) << observer.warnings[0];
}

TEST_F(PfFreshnessTest, AddingTheNewPointsKeepsEveryEditedByte) {
    // A last line without its line end gets one before the new entries.
    writeFile(dir.file("RUN-4.pf"), kOldPf + "B2,Y,");
    const PfUpdateOutcome outcome =
        updatePointFeatureFile(job(), PfUpdate::AddNew, ",", kNow, observer);
    EXPECT_EQ(outcome.entriesAdded, 3u);
    EXPECT_EQ(readFile(dir.file("RUN-4.pf")),
              kOldPf + "B2,Y,\r\n" + crlfLines({" 3 ,EP,X", " 4 ,CL, ", " 100004 ,FL, "}));
    // Nothing left to add: the file stays as it is.
    const std::string added = readFile(dir.file("RUN-4.pf"));
    EXPECT_FALSE(updatePointFeatureFile(job(), PfUpdate::AddNew, ",", kNow, observer).updated);
    EXPECT_EQ(readFile(dir.file("RUN-4.pf")), added);
}

TEST_F(PfFreshnessTest, MakingItAgainKeepsTheOldFileUnderADatedName) {
    const PfUpdateOutcome first =
        updatePointFeatureFile(job(), PfUpdate::Rebuild, ",", kNow, observer);
    EXPECT_EQ(first.backupPath, dir.file("RUN-4.pf.backup-20261207-143005"));
    EXPECT_EQ(readFile(first.backupPath), kOldPf);
    const std::string rebuilt =
        crlfLines({" 1 ,IP, ", " 2 ,EP, ", " 3 ,EP,X", " 4 ,CL, ", " 100004 ,FL, "});
    EXPECT_EQ(readFile(dir.file("RUN-4.pf")), rebuilt);
    // A second rebuild in the same second keeps the first backup.
    const PfUpdateOutcome second =
        updatePointFeatureFile(job(), PfUpdate::Rebuild, ",", kNow, observer);
    EXPECT_EQ(second.backupPath, dir.file("RUN-4.pf.backup-20261207-143005-2"));
    EXPECT_EQ(readFile(first.backupPath), kOldPf);
    EXPECT_EQ(readFile(second.backupPath), rebuilt);
}

}  // namespace
}  // namespace zendro
