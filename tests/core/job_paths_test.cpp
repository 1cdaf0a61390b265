#include "common/job_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>

#include "common/errors.h"
#include "common/run_observer.h"
#include "conversion/conversion_run.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

struct DerivationCase {
    const char* chosen;
    const char* basePath;
    const char* folderPath;
    const char* jobName;
    const char* suffix;
};

void PrintTo(const DerivationCase& c, std::ostream* out) { *out << c.chosen; }

class JobPathDerivation : public ::testing::TestWithParam<DerivationCase> {};

TEST_P(JobPathDerivation, GivesBaseFolderJobAndSuffix) {
    const DerivationCase& c = GetParam();
    const JobPaths job = deriveJobPaths(c.chosen);
    EXPECT_EQ(job.basePath, c.basePath);
    EXPECT_EQ(job.folderPath, c.folderPath);
    EXPECT_EQ(job.jobName, c.jobName);
    EXPECT_EQ(job.runSuffix, c.suffix);
}

INSTANTIATE_TEST_SUITE_P(
    Table, JobPathDerivation,
    ::testing::Values(DerivationCase{"/JOBS/RUN-12.HVD", "/JOBS/RUN-12", "/JOBS/", "RUN-12", "-12"},
                      DerivationCase{"/JOBS/RUN12.HVD", "/JOBS/RUN12", "/JOBS/", "RUN12", "-99"},
                      DerivationCase{"/JOBS/RUN-A-2.HVD", "/JOBS/RUN-A-2", "/JOBS/", "RUN-A-2",
                                     "-2"},
                      // A dash in a folder name is not a run suffix.
                      DerivationCase{"/data/MY-JOBS/RUN12.HVD", "/data/MY-JOBS/RUN12",
                                     "/data/MY-JOBS/", "RUN12", "-99"},
                      DerivationCase{"/JOBS/RUN.1.HVD", "/JOBS/RUN.1", "/JOBS/", "RUN.1", "-99"},
                      DerivationCase{"/JOBS/RUN", "/JOBS/RUN", "/JOBS/", "RUN", "-99"},
                      DerivationCase{"RUN.HVD", "RUN", "", "RUN", "-99"},
                      // A dot in a folder name is not an extension dot.
                      DerivationCase{"/v1.2/RUN-7", "/v1.2/RUN-7", "/v1.2/", "RUN-7", "-7"},
                      DerivationCase{"/JOBS/run-5.ctx", "/JOBS/run-5", "/JOBS/", "run-5", "-5"}));

TEST(JobPaths, DerivedExtensionsHaveFixedSpellings) {
    const JobPaths job = deriveJobPaths("/w/Job.hvd");
    EXPECT_EQ(job.hvdPath, "/w/Job.HVD");
    EXPECT_EQ(job.ctxPath, "/w/Job.CTX");
    EXPECT_EQ(job.rtxPath, "/w/Job.RTX");
    EXPECT_EQ(job.trvPath, "/w/Job.TRV");
    EXPECT_EQ(job.obsPath, "/w/Job.obs");
    EXPECT_EQ(job.pfPath, "/w/Job.pf");
}

TEST(FindFieldFile, ExactSpellingWinsThenAnyCaseOfTheExtension) {
    testing::TempDir dir;
    testing::writeFile(dir.file("A.hvd"), "x");
    EXPECT_EQ(findFieldFile(dir.file("A.HVD")), dir.file("A.hvd"));
    testing::writeFile(dir.file("A.HVD"), "y");
    EXPECT_EQ(findFieldFile(dir.file("A.HVD")), dir.file("A.HVD"));
    // Only the extension's case is free; the name must match exactly.
    EXPECT_EQ(findFieldFile(dir.file("a.HVD")), "");
    EXPECT_EQ(findFieldFile(dir.file("A.CTX")), "");
    testing::writeFile(dir.file("A.Ctx"), "z");
    EXPECT_EQ(findFieldFile(dir.file("A.CTX")), dir.file("A.Ctx"));
}

TEST(FindFieldFile, ARegularFileBeforeAFolderOfTheSameName) {
    testing::TempDir dir;
    std::filesystem::create_directory(dir.file("B.Hvd"));
    EXPECT_EQ(findFieldFile(dir.file("B.HVD")), dir.file("B.Hvd"));
    testing::writeFile(dir.file("B.hvd"), "x");
    EXPECT_EQ(findFieldFile(dir.file("B.HVD")), dir.file("B.hvd"));
}

// The message a conversion gives when a field file is not a regular file;
// opening never waits, so a FIFO without a writer cannot hang the run.
std::string conversionFailure(const std::string& hvdPath) {
    ConversionOptions options;
    NullObserver observer;
    try {
        runConversion(deriveJobPaths(hvdPath), options, observer, fixedHeaderClock({}));
    } catch (const ZendroError& error) {
        return error.what();
    }
    return "converted";
}

TEST(FieldInput, AFolderAFifoOrADeviceIsNotARegularFile) {
    testing::TempDir dir;
    std::filesystem::create_directory(dir.file("FOLDER.HVD"));
    ASSERT_EQ(::mkfifo(dir.file("FIFO.HVD").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/null", dir.file("DEVICE.hvd"));
    testing::writeFile(dir.file("CTX.HVD"), "");
    ASSERT_EQ(::mkfifo(dir.file("CTX.CTX").c_str(), 0600), 0);

    EXPECT_EQ(conversionFailure(dir.file("FOLDER.HVD")),
              dir.file("FOLDER.HVD") + ": is not a regular file");
    EXPECT_EQ(conversionFailure(dir.file("FIFO.HVD")),
              dir.file("FIFO.HVD") + ": is not a regular file");
    EXPECT_EQ(conversionFailure(dir.file("DEVICE.HVD")),
              dir.file("DEVICE.hvd") + ": is not a regular file");
    EXPECT_EQ(conversionFailure(dir.file("CTX.HVD")),
              dir.file("CTX.CTX") + ": is not a regular file");
    EXPECT_EQ(conversionFailure(dir.file("NONE.HVD")),
              dir.file("NONE.HVD") + ": the HVD file does not exist");
    EXPECT_FALSE(std::filesystem::exists(dir.file("CTX.obs")));
}

TEST(FindFieldFile, MissingFolderFindsNothing) {
    EXPECT_EQ(findFieldFile("/no/such/folder/JOB.HVD"), "");
}

}  // namespace
}  // namespace zendro
