// Conversion cases as data: each folder of tests/cases holds a job's field
// files, the options it is converted with (`options`, one `key=value` a line)
// and the outputs expected byte for byte (`expected.obs`, `expected.TRV` when
// the TRV file is written, `expected.pf` for the point-feature file made from
// the CTX file). A mismatch prints a unified diff. ZENDRO_UPDATE_CASES=1
// writes this run's outputs as the expected ones instead (then review the
// diff before committing).

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/byte_sink.h"
#include "conversion/job_conversion.h"
#include "tests/support/case_folders.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

namespace fs = std::filesystem;

ConversionOptions optionsOf(const std::map<std::string, std::string>& values) {
    ConversionOptions options;
    options.obsOnly = values.at("output") == "obs";
    options.unit = jobUnit(values.at("unit") == "metric");
    options.pointPrefix = values.at("prefix");
    options.curveCode = values.at("curve");
    options.commentCode = values.at("comment");
    options.runSuffix = values.at("suffix");
    return options;
}

std::optional<std::string> optionalFile(const fs::path& path) {
    if (!fs::exists(path)) return std::nullopt;
    return testing::readFile(path.string());
}

std::vector<fs::path> caseFolders() {
    std::vector<fs::path> folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(ZENDRO_CASES_DIR)) {
        if (entry.is_directory()) folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

TEST(ConversionCases, EveryCaseFolderGivesItsExpectedBytes) {
    const HeaderClock clock = fixedHeaderClock({2026, 12, 7, 9, 15, 0});
    const std::vector<fs::path> folders = caseFolders();
    ASSERT_FALSE(folders.empty());
    for (const fs::path& folder : folders) {
        SCOPED_TRACE(folder.filename().string());
        const auto values = testing::optionLines(folder / "options");
        const ConversionOptions options = optionsOf(values);
        const std::string jobName = values.at("job");
        const JobPaths job = deriveJobPaths(jobName + ".HVD");
        const std::string hvd = testing::readFile((folder / (jobName + ".HVD")).string());
        const std::optional<std::string> ctx = optionalFile(folder / (jobName + ".CTX"));
        const std::optional<std::string> rtx = optionalFile(folder / (jobName + ".RTX"));
        const std::optional<std::string> pf = optionalFile(folder / (jobName + ".pf"));
        const auto view = [](const std::optional<std::string>& file) {
            return file ? std::optional<std::string_view>(*file) : std::nullopt;
        };

        std::string obs;
        std::string trv;
        StringSink obsSink(obs);
        StringSink trvSink(trv);
        NullObserver observer;
        const JobConversion result = convertJob(job, {hvd, view(rtx), view(pf), view(ctx)},
                                                options, {obsSink, &trvSink}, observer, clock);
        testing::expectCaseFile(folder / "expected.obs", obs);
        if (!options.obsOnly) testing::expectCaseFile(folder / "expected.TRV", trv);
        if (result.newPointFeatureFile) testing::expectCaseFile(folder / "expected.pf", *result.newPointFeatureFile);
    }
}

}  // namespace
}  // namespace zendro
