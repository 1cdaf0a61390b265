// zendro-convert as a user runs it: flags, exit status, messages, files.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/file_io.h"
#include "tests/support/job_builder.h"
#include "tests/support/program_run.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::crlfLines;
using testing::hvdRecord;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

using Outcome = testing::ProgramOutcome;
using testing::shellQuoted;

// Runs zendro-convert with `arguments` (already quoted) and a fixed header time.
Outcome convert(const TempDir& dir, const std::string& arguments) {
    return testing::runProgram(
        dir, "SOURCE_DATE_EPOCH=1765117800 " + shellQuoted(ZENDRO_CONVERT_PATH) + " " + arguments);
}

// A small job: a distance unit, a setup and a sideshot to a point of a chain.
void writeJob(const TempDir& dir, const std::string& name) {
    writeFile(dir.file(name + ".HVD"), hvdRecord(9, 0) + hvdRecord(1, 1, 150) +
                                           hvdRecord(5, 2, 150, 9000000, 9000000, 500000) +
                                           hvdRecord(5, 3, 150, 9000000, 9000000, 500000));
    writeFile(dir.file(name + ".CTX"), testing::ctxPrologue() + testing::ctxRecord(1, 1, "IP") +
                                           testing::ctxRecord(1, 2, "+EP/LEFT") +
                                           testing::ctxRecord(1, 3, "-EP"));
    writeFile(dir.file(name + ".RTX"), "");
}

TEST(ZendroConvert, DefaultsWriteTheObsFileOnlyWithTheDerivedSuffix) {
    TempDir dir;
    writeJob(dir, "RUN-12");
    const Outcome outcome = convert(dir, shellQuoted(dir.file("RUN-12.HVD")));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_FALSE(fileExists(dir.file("RUN-12.TRV")));
    const std::string obs = readFile(dir.file("RUN-12.obs"));
    EXPECT_NE(obs.find("H 99 DATE: 12-07-2025\r\nH 99 TIME: 14:30:00\r\n"), std::string::npos);
    EXPECT_NE(obs.find("R 99 DISTANCE UNIT = FEET\r\n"), std::string::npos);
    EXPECT_NE(obs.find("F 00 EP/LEFT-12"), std::string::npos);
    EXPECT_EQ(readFile(dir.file("RUN-12.pf")),
              crlfLines({" 1 ,IP, ", " 2 ,+EP/LEFT, ", " 3 ,-EP, "}));
}

TEST(ZendroConvert, FlagsChangeEveryOption) {
    TempDir dir;
    writeJob(dir, "JOB");
    const Outcome outcome = convert(
        dir, "--trv --metric --prefix ST --curve-code '' --comment-delimiter / --suffix -X " +
                 shellQuoted(dir.file("JOB")));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(fileExists(dir.file("JOB.TRV")));
    const std::string obs = readFile(dir.file("JOB.obs"));
    EXPECT_NE(obs.find("R 99 DISTANCE UNIT = METERS\r\n"), std::string::npos);
    EXPECT_NE(obs.find("S 00 ST1 "), std::string::npos);
    EXPECT_NE(obs.find("F 00 EP-X" + std::string(24, ' ') + "+1 EP\r\nF 01 ST2,ST3\r\n"),
              std::string::npos);
    EXPECT_EQ(readFile(dir.file("JOB.pf")), crlfLines({" 1 ,IP, ", " 2 ,+EP,LEFT", " 3 ,-EP, "}));
}

TEST(ZendroConvert, AnyFieldFileAnyCaseNamesTheSameJob) {
    TempDir dir;
    writeJob(dir, "A");
    ASSERT_EQ(convert(dir, shellQuoted(dir.file("A.HVD"))).status, 0);
    const std::string expected = readFile(dir.file("A.obs"));
    for (const char* chosen : {"A.ctx", "A.Rtx", "A"}) {
        const Outcome outcome = convert(dir, shellQuoted(dir.file(chosen)));
        EXPECT_EQ(outcome.status, 0) << chosen << outcome.err;
        EXPECT_EQ(readFile(dir.file("A.obs")), expected) << chosen;
    }
}

TEST(ZendroConvert, MissingHvdFileFailsWithOneLineAndWritesNothing) {
    TempDir dir;
    const Outcome outcome = convert(dir, shellQuoted(dir.file("NONE.HVD")));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "zendro-convert: " + dir.file("NONE.HVD") + ": the HVD file does not exist\n");
    EXPECT_FALSE(fileExists(dir.file("NONE.obs")));
    EXPECT_FALSE(fileExists(dir.file("NONE.pf")));
    EXPECT_FALSE(fileExists(dir.file("NONE.CTX")));
}

TEST(ZendroConvert, WarningsGoToStandardError) {
    TempDir dir;
    writeFile(dir.file("W.HVD"), hvdRecord(9, 0) + "12345");
    const Outcome outcome = convert(dir, shellQuoted(dir.file("W.HVD")));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err,
              "warning: " + dir.file("W.CTX") +
                  ": the CTX file does not exist; the job has no point descriptions\n"
                  "warning: " +
                  dir.file("W.RTX") +
                  ": the RTX file does not exist; the job has "
                  "no notes\n"
                  "warning: " +
                  dir.file("W.HVD") +
                  ": the last 5 bytes are not a whole record and were not converted\n"
                  "warning: " +
                  dir.file("W.HVD") +
                  ": the HVD file ends inside a record, the download may be cut short: 1 "
                  "whole records converted, 0 point-feature entries that no record observed\n");
}

// A new download under the same name: warned and converted as it is, then the
// new point added, then the file made again with the old one kept.
TEST(ZendroConvert, APointFeatureFileTheNewCtxDoesNotMatch) {
    TempDir dir;
    writeJob(dir, "JOB");
    ASSERT_EQ(convert(dir, shellQuoted(dir.file("JOB"))).status, 0);
    const std::string firstPf = readFile(dir.file("JOB.pf"));
    writeFile(dir.file("JOB.CTX"), testing::ctxPrologue() + testing::ctxRecord(1, 1, "IP") +
                                       testing::ctxRecord(1, 2, "+EP/LEFT") +
                                       testing::ctxRecord(1, 3, "-EP") +
                                       testing::ctxRecord(1, 4, "CL"));
    // Set apart: file times are coarser than two writes in a row.
    std::filesystem::last_write_time(
        dir.file("JOB.pf"),
        std::filesystem::last_write_time(dir.file("JOB.CTX")) - std::chrono::hours(1));
    const Outcome asIs = convert(dir, shellQuoted(dir.file("JOB")));
    EXPECT_EQ(asIs.status, 0);
    EXPECT_EQ(asIs.err, "warning: " + dir.file("JOB.pf") + ": does not match " +
                            dir.file("JOB.CTX") +
                            ": 1 CTX points without an entry (4), 0 entries whose point the CTX "
                            "file no longer has, the CTX file is newer; converted with the "
                            "point-feature file as it is\n");
    EXPECT_EQ(readFile(dir.file("JOB.pf")), firstPf);

    const Outcome added = convert(dir, "--pf-add-new " + shellQuoted(dir.file("JOB")));
    EXPECT_EQ(added.status, 0);
    EXPECT_EQ(added.err,
              "zendro-convert: " + dir.file("JOB.pf") + ": 1 entries added from the CTX file\n");
    EXPECT_EQ(readFile(dir.file("JOB.pf")), firstPf + " 4 ,CL, \r\n");

    writeFile(dir.file("JOB.pf"), "1,EDITED,\r\n");
    const Outcome rebuilt = convert(dir, "--pf-rebuild " + shellQuoted(dir.file("JOB")));
    EXPECT_EQ(rebuilt.status, 0);
    EXPECT_NE(rebuilt.err.find(": made again from the CTX file; the previous one is kept as " +
                               dir.file("JOB.pf.backup-")),
              std::string::npos)
        << rebuilt.err;
    EXPECT_EQ(readFile(dir.file("JOB.pf")), firstPf + " 4 ,CL, \r\n");
    std::size_t backups = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().filename().string().starts_with("JOB.pf.backup-")) {
            ++backups;
            EXPECT_EQ(readFile(entry.path().string()), "1,EDITED,\r\n");
        }
    }
    EXPECT_EQ(backups, 1u);
    EXPECT_EQ(convert(dir, "--pf-add-new --pf-rebuild " + shellQuoted(dir.file("JOB"))).status, 2);
}

TEST(ZendroConvert, AnOutputEditedByHandIsKeptWithAWarning) {
    TempDir dir;
    writeJob(dir, "JOB");
    ASSERT_EQ(convert(dir, shellQuoted(dir.file("JOB"))).status, 0);
    writeFile(dir.file("JOB.obs"), "edited in the office\r\n");
    const Outcome again = convert(dir, shellQuoted(dir.file("JOB")));
    EXPECT_EQ(again.status, 0);
    const std::string prefix = "warning: " + dir.file("JOB.obs") +
                               ": differs from what this program last wrote (edited by hand?); "
                               "the edited file is kept as " +
                               dir.file("JOB.obs.edited-");
    ASSERT_TRUE(again.err.starts_with(prefix)) << again.err;
    const std::string keptAs = again.err.substr(prefix.size() - dir.file("JOB.obs.edited-").size(),
                                                dir.file("JOB.obs.edited-").size() + 15);
    EXPECT_EQ(readFile(keptAs), "edited in the office\r\n");
}

// Two good jobs and a missing one, two at a time: one result line each in the
// order given, every message prefixed with its job's file, the worst status.
TEST(ZendroConvert, SeveralJobsInOneCall) {
    TempDir dir;
    writeJob(dir, "A-1");
    writeJob(dir, "B-2");
    writeFile(dir.file("B-2.HVD"), hvdRecord(9, 0) + "12345");
    const Outcome outcome =
        convert(dir, "-j 2 " + shellQuoted(dir.file("A-1.HVD")) + " " +
                         shellQuoted(dir.file("NONE.HVD")) + " " + shellQuoted(dir.file("B-2")));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, dir.file("A-1.HVD") +
                               ": converted 4 records, 3 points, 1 chains, 0 warnings\n" +
                               dir.file("NONE.HVD") + ": not converted\n" + dir.file("B-2") +
                               ": converted 1 records, 3 points, 1 chains, 2 warnings\n");
    EXPECT_EQ(outcome.err,
              dir.file("NONE.HVD") + ": zendro-convert: " + dir.file("NONE.HVD") +
                  ": the HVD file does not exist\n" + dir.file("B-2") +
                  ": warning: " + dir.file("B-2.HVD") +
                  ": the last 5 bytes are not a whole record and were not converted\n" +
                  dir.file("B-2") + ": warning: " + dir.file("B-2.HVD") +
                  ": the HVD file ends inside a record, the download may be cut short: 1 whole "
                  "records converted, 3 point-feature entries that no record observed\n");
    EXPECT_NE(readFile(dir.file("A-1.obs")).find("F 00 EP/LEFT-1 "), std::string::npos);
    EXPECT_NE(readFile(dir.file("B-2.obs")).find("F 00 EP/LEFT-2 "), std::string::npos);
}

TEST(ZendroConvert, AnEmptyValueAfterAnEqualsSignTakesNoFile) {
    TempDir dir;
    writeJob(dir, "A-1");
    writeJob(dir, "B-2");
    const Outcome outcome = convert(dir, "--prefix= --suffix= " + shellQuoted(dir.file("A-1")) +
                                             " " + shellQuoted(dir.file("B-2")));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              dir.file("A-1") + ": converted 4 records, 3 points, 1 chains, 0 warnings\n" +
                  dir.file("B-2") + ": converted 4 records, 3 points, 1 chains, 0 warnings\n");
    // No suffix after the chain name, no prefix before the point.
    EXPECT_NE(readFile(dir.file("A-1.obs"))
                  .find("\r\nF 00 EP/LEFT" + std::string(21, ' ') + "+1 EP/LEFT\r\nF 01 2,\r\n"),
              std::string::npos);
}

TEST(ZendroConvert, UsageErrorsExitWithTwo) {
    TempDir dir;
    EXPECT_EQ(convert(dir, "").status, 2);
    EXPECT_EQ(convert(dir, "--no-such-flag x").status, 2);
    EXPECT_EQ(convert(dir, "-j 0 a").status, 2);
    EXPECT_EQ(convert(dir, "--prefix").status, 2);
}

TEST(ZendroConvert, HelpAndVersion) {
    TempDir dir;
    const Outcome help = convert(dir, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--comment-delimiter"), std::string::npos);
    // The manual page runs the option texts into its own paragraphs: each ends its sentence.
    EXPECT_NE(help.out.find("several jobs may be given.\n"), std::string::npos) << help.out;
    const Outcome version = convert(dir, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "zendro-convert 4.2.6\n");
}

// Prints what differs, line by line, when a file is not its golden copy.
std::string unifiedDiff(const std::string& expectedPath, const std::string& actualPath) {
    const std::string command =
        "diff -u " + shellQuoted(expectedPath) + " " + shellQuoted(actualPath) + " 2>&1";
    std::string diff;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) diff.append(buffer, n);
        ::pclose(pipe);
    }
    return diff;
}

TEST(SampleJob, ConvertsToTheGoldenFiles) {
    TempDir dir;
    for (const char* extension : {".HVD", ".CTX", ".RTX"}) {
        writeFile(dir.file(std::string("HWY12-3") + extension),
                  readFile(std::string(ZENDRO_SAMPLES_DIR) + "/HWY12-3" + extension));
    }
    const Outcome outcome = convert(dir, "--trv " + shellQuoted(dir.file("HWY12-3.HVD")));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    for (const char* extension : {".obs", ".TRV", ".pf"}) {
        const std::string golden = std::string(ZENDRO_GOLDEN_DIR) + "/HWY12-3" + extension;
        const std::string actual = dir.file(std::string("HWY12-3") + extension);
        EXPECT_TRUE(readFile(golden) == readFile(actual)) << unifiedDiff(golden, actual);
    }
}

}  // namespace
}  // namespace zendro
