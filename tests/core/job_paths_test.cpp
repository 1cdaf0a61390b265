#include "common/job_paths.h"

#include <gtest/gtest.h>

#include <ostream>

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

TEST(FindFieldFile, MissingFolderFindsNothing) {
    EXPECT_EQ(findFieldFile("/no/such/folder/JOB.HVD"), "");
}

}  // namespace
}  // namespace zendro
