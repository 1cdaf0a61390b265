// Level runs as data: each folder of cases/ holds M5 files (*.dat, read in
// name order), perhaps a control.csv and an `options` file (key=value: unit,
// foot, weight, sigma-km), and the text report expected byte for byte
// (expected.txt), or for a run refused, its message. A mismatch prints a
// unified diff; ZENDRO_UPDATE_CASES=1 writes this run's reports instead (then
// read the diff before committing).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "common/errors.h"
#include "levels/level_report.h"
#include "levels/level_run.h"
#include "tests/support/case_folders.h"
#include "tests/support/temp_dir.h"

namespace zendro::levels {
namespace {

namespace fs = std::filesystem;

LevelRunOptions optionsOf(const std::map<std::string, std::string>& values) {
    LevelRunOptions options;
    if (values.contains("foot")) options.foot = *footNamed(values.at("foot"));
    if (values.contains("unit"))
        options.unit = values.at("unit") == "metric" ? LengthUnit::Metre : options.foot;
    if (values.contains("weight") && values.at("weight") == "setups")
        options.weighting = LevelWeighting::Setups;
    if (values.contains("sigma-km")) options.sigmaKm = std::stod(values.at("sigma-km"));
    return options;
}

std::string runCase(const fs::path& folder) {
    std::vector<LevelInput> inputs;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".dat")
            inputs.push_back({entry.path().filename().string(), testing::readFile(entry.path().string())});
    std::sort(inputs.begin(), inputs.end(),
              [](const LevelInput& a, const LevelInput& b) { return a.path < b.path; });
    LevelRunOptions options = optionsOf(testing::optionLines(folder / "options"));
    try {
        std::vector<coordinates::ControlPoint> control;
        if (fs::exists(folder / "control.csv")) {
            options.controlPath = "control.csv";
            control = coordinates::readControlFile(
                "control.csv", testing::readFile((folder / "control.csv").string()));
        }
        return levelReportText(runLevels(inputs, control, options));
    } catch (const ZendroError& error) {
        return std::string(error.what()) + "\n";
    }
}

TEST(LevelCases, EveryCaseFolderGivesItsExpectedReport) {
    std::vector<fs::path> folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(ZENDRO_LEVEL_CASES_DIR))
        if (entry.is_directory()) folders.push_back(entry.path());
    std::sort(folders.begin(), folders.end());
    ASSERT_GE(folders.size(), 12u);
    for (const fs::path& folder : folders) {
        SCOPED_TRACE(folder.filename().string());
        testing::expectCaseFile(folder / "expected.txt", runCase(folder));
    }
}

}  // namespace
}  // namespace zendro::levels
