// Outputs edited by hand between two conversions: kept under a dated name in
// the same commit that replaces them, never lost.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>

#include "common/errors.h"
#include "conversion/conversion_run.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::hvdRecord;
using testing::readFile;
using testing::RecordingObserver;
using testing::TempDir;
using testing::writeFile;

const HeaderClock kClock = fixedHeaderClock({2026, 12, 7, 14, 30, 0});

class EditedOutputs : public ::testing::Test {
  protected:
    void SetUp() override {
        writeFile(dir.file("RUN-4.HVD"), hvdRecord(9, 0) + hvdRecord(1, 5, 150));
        writeFile(dir.file("RUN-4.RTX"), "");
        writeFile(dir.file("RUN-4.pf"), " 5 ,IP, \r\n");
        options.obsOnly = false;
    }
    JobPaths job() const { return deriveJobPaths(dir.file("RUN-4.HVD")); }
    ConversionResult convert() { return runConversion(job(), options, observer, kClock); }
    // The kept copies by name prefix ("RUN-4.obs.edited-"), with their bytes.
    std::map<std::string, std::string> kept(const std::string& prefix) const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(prefix)) files[name] = readFile(entry.path().string());
        }
        return files;
    }

    std::vector<EditedOutput> edited() const {
        return findEditedOutputs(job(), {dir.file("RUN-4.obs"), dir.file("RUN-4.TRV")}, 0);
    }
    std::string recordPath() const { return dir.file("RUN-4.zendro-written"); }
    // The record with the hash of `name` replaced by one no file has: a file
    // that is read is then told as edited.
    void spoilRecordedHash(const std::string& name) {
        std::string record = readFile(recordPath());
        const std::size_t line = record.find(name + "\r\n");
        const std::size_t hash = record.rfind("xxh3:", line) + 5;
        record.replace(hash, 16, record.substr(hash, 16) == "0123456789abcdef" ? "fedcba9876543210"
                                                                            : "0123456789abcdef");
        writeFile(recordPath(), record);
    }
    // The record's own time, which its stat data are judged against.
    void dateRecord(std::filesystem::file_time_type time) {
        std::filesystem::last_write_time(recordPath(), time);
    }

    TempDir dir;
    ConversionOptions options;
    RecordingObserver observer;
};

TEST_F(EditedOutputs, AnEditOfTheSameSizeAndModificationTimeIsCaught) {
    convert();
    const std::string obs = dir.file("RUN-4.obs");
    const auto writtenAt = std::filesystem::last_write_time(obs);
    std::string bytes = readFile(obs);
    bytes.replace(bytes.find("= FEET"), 6, "= FOOT");
    writeFile(obs, bytes);  // in place: the same inode
    std::filesystem::last_write_time(obs, writtenAt);
    // Only the change time tells it without reading.
    ASSERT_EQ(edited().size(), 1u);
    EXPECT_EQ(convert().keptEdits.size(), 1u);
}

TEST_F(EditedOutputs, AnOutputWhoseStatDataAreRecordedIsNotRead) {
    convert();
    spoilRecordedHash("RUN-4.obs");
    const auto obsTime = std::filesystem::last_write_time(dir.file("RUN-4.obs"));
    dateRecord(obsTime + std::chrono::seconds(1));
    EXPECT_TRUE(edited().empty());  // read, its hash would differ
    // Modified in the record's own tick: it may have changed after its stat,
    // so it is read.
    dateRecord(obsTime);
    ASSERT_EQ(edited().size(), 1u);
    EXPECT_EQ(edited()[0].path, dir.file("RUN-4.obs"));
}

TEST_F(EditedOutputs, AKeptLineOfTheRecordsOwnTickIsReadOnceTheRecordIsNewer) {
    convert();
    spoilRecordedHash("RUN-4.TRV");
    dateRecord(std::filesystem::last_write_time(dir.file("RUN-4.TRV")));
    // The OBS file alone is written; the TRV file's line stays in the record.
    options.obsOnly = true;
    convert();
    ASSERT_EQ(edited().size(), 1u);
    EXPECT_EQ(edited()[0].path, dir.file("RUN-4.TRV"));
}

// A record from before the stat data: size, FNV-1a over 8-byte words (the
// hashes as that version wrote them), name.
TEST_F(EditedOutputs, AnOlderRecordIsStillRead) {
    writeFile(dir.file("RUN-4.obs"), "OBS 1 2 3\r\nA hand-edited line\r\n");
    writeFile(dir.file("RUN-4.TRV"), "TRV");
    const std::string trvLine = "3 6ca6fc19e1d08c4f RUN-4.TRV\r\n";
    writeFile(recordPath(), "31 8b6dd157aa8c44ca RUN-4.obs\r\n" + trvLine);
    EXPECT_TRUE(edited().empty());
    writeFile(dir.file("RUN-4.obs"), "OBS 1 2 3\r\nA hand-edited lin!\r\n");
    ASSERT_EQ(edited().size(), 1u);
    EXPECT_EQ(edited()[0].path, dir.file("RUN-4.obs"));

    // An "OBS Only" run records its output the new way and keeps the TRV line.
    options.obsOnly = true;
    EXPECT_EQ(convert().keptEdits.size(), 1u);
    const std::string record = readFile(recordPath());
    EXPECT_TRUE(record.starts_with(trvLine)) << record;
    EXPECT_NE(record.find(" xxh3:"), std::string::npos) << record;
    EXPECT_TRUE(edited().empty());
}

TEST_F(EditedOutputs, RecordLinesReadBackAsWritten) {
    const std::vector<WrittenFile> files{
        {"RUN 12 3.obs", 0x0123456789abcdefULL, HashKind::Xxh3, {77, 1700000000123456789, 1700000001987654321, 42}},
        {"RUN.TRV", 0xfedcba9876543210ULL, HashKind::Fnv1a, {5, 0, 0, 0}},
    };
    const std::string text = writtenStateText(files);
    EXPECT_EQ(text,
              "77 xxh3:0123456789abcdef 1700000000123456789 1700000001987654321 42 RUN 12 3.obs\r\n"
              "5 fedcba9876543210 RUN.TRV\r\n");
    const std::vector<WrittenFile> read = parseWrittenState(text);
    ASSERT_EQ(read.size(), 2u);
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].name, files[i].name);
        EXPECT_EQ(read[i].hash, files[i].hash);
        EXPECT_EQ(read[i].hashKind, files[i].hashKind);
        EXPECT_TRUE(read[i].stamp == files[i].stamp) << i;
    }
}

TEST_F(EditedOutputs, AnEditedObsFileIsKeptAndTheNextRunSaysNothing) {
    convert();
    // An edit of the same size: only the bytes tell it.
    std::string edited = readFile(dir.file("RUN-4.obs"));
    edited.replace(edited.find("= FEET"), 6, "= FOOT");
    writeFile(dir.file("RUN-4.obs"), edited);
    observer.warnings.clear();

    // Converted in meters now, so the new output differs from the first one too.
    options.unit = LengthUnit::Metre;
    const ConversionResult second = convert();
    const std::string written = readFile(dir.file("RUN-4.obs"));
    EXPECT_NE(written.find("= METERS"), std::string::npos);
    ASSERT_EQ(second.keptEdits.size(), 1u);
    const std::string keepAs = second.keptEdits[0].keepAs;
    EXPECT_TRUE(keepAs.starts_with(dir.file("RUN-4.obs.edited-"))) << keepAs;
    EXPECT_EQ(keepAs.size(), dir.file("RUN-4.obs.edited-").size() + 15);  // YYYYMMDD-HHMMSS
    EXPECT_EQ(readFile(keepAs), edited);
    ASSERT_EQ(observer.warnings.size(), 1u);
    EXPECT_EQ(observer.warnings[0],
              dir.file("RUN-4.obs") +
                  ": differs from what this program last wrote (edited by hand?); the edited "
                  "file is kept as " + keepAs);
    EXPECT_EQ(second.warningCount, 1u);
    EXPECT_TRUE(kept("RUN-4.TRV.edited-").empty());  // the TRV file was not touched

    // The output now is what was written: nothing more is kept.
    observer.warnings.clear();
    EXPECT_TRUE(convert().keptEdits.empty());
    EXPECT_TRUE(observer.warnings.empty());
    EXPECT_EQ(kept("RUN-4.obs.edited-").size(), 1u);
}

TEST_F(EditedOutputs, ALargeOutputConvertedAgainIsNotTakenForAnEdit) {
    // Megabytes of output: the record hashes it in the pieces the run wrote,
    // the next run in the pieces it reads back.
    std::string hvd = hvdRecord(9, 0);
    for (std::uint16_t point = 1; point <= 20000; ++point) {
        hvd += hvdRecord(1, point, 150, 1234567, 900000, 1234567);
    }
    writeFile(dir.file("RUN-4.HVD"), hvd);
    convert();
    ASSERT_GT(readFile(dir.file("RUN-4.obs")).size(), 1u << 20);
    // Read back whatever its stat data say: the hash of the pieces read is
    // the one of the pieces written.
    dateRecord(std::filesystem::last_write_time(dir.file("RUN-4.obs")));
    EXPECT_TRUE(edited().empty());
    EXPECT_TRUE(convert().keptEdits.empty());
}

TEST_F(EditedOutputs, ASecondEditInTheSameSecondKeepsTheFirstCopy) {
    convert();
    writeFile(dir.file("RUN-4.TRV"), "edit 1");
    convert();
    writeFile(dir.file("RUN-4.TRV"), "edit 2");
    convert();
    std::multiset<std::string> bytes;
    for (const auto& [name, contents] : kept("RUN-4.TRV.edited-")) bytes.insert(contents);
    // Two runs a second apart make two names; in the same second "-2" follows.
    EXPECT_EQ(bytes, (std::multiset<std::string>{"edit 1", "edit 2"}));
}

// The TRV target has become a folder, so the commit fails: the edited OBS file
// stays where it was and no copy of it is left.
TEST_F(EditedOutputs, AFailedCommitLeavesTheEditedFileAndNoCopy) {
    convert();
    writeFile(dir.file("RUN-4.obs"), "edited");
    std::filesystem::remove(dir.file("RUN-4.TRV"));
    std::filesystem::create_directories(dir.file("RUN-4.TRV/inside"));
    EXPECT_THROW(convert(), ZendroError);
    EXPECT_EQ(readFile(dir.file("RUN-4.obs")), "edited");
    EXPECT_TRUE(kept("RUN-4.obs.edited-").empty());

    // Once the TRV file can be written again, the edit is kept and told.
    std::filesystem::remove_all(dir.file("RUN-4.TRV"));
    EXPECT_EQ(convert().keptEdits.size(), 1u);
    EXPECT_EQ(kept("RUN-4.obs.edited-").size(), 1u);
}

}  // namespace
}  // namespace zendro
