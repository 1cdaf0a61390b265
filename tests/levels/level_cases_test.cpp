// Level runs as data: each folder of cases/ holds M5 files (*.dat, read in
// name order), perhaps a control.csv and an `options` file (key=value: unit,
// foot, weight, sigma-km), and the text report expected byte for byte
// (expected.txt), or for a run refused, its message. A mismatch prints a
// unified diff; ZENDRO_UPDATE_CASES=1 writes this run's reports instead (then
// read the diff before committing).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "common/errors.h"
#include "levels/level_report.h"
#include "levels/level_run.h"
#include "tests/support/temp_dir.h"

namespace zendro::levels {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> optionLines(const fs::path& file) {
    std::map<std::string, std::string> values;
    if (!fs::exists(file)) return values;
    std::istringstream lines(testing::readFile(file.string()));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

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

std::string unifiedDiff(const fs::path& expected, const std::string& actual) {
    testing::TempDir dir;
    const std::string actualPath = dir.file("actual");
    std::ofstream(actualPath, std::ios::binary) << actual;
    const std::string command = "diff -u '" + expected.string() + "' '" + actualPath + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) text += buffer;
    return text;
}

std::string runCase(const fs::path& folder) {
    std::vector<LevelInput> inputs;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".dat")
            inputs.push_back({entry.path().filename().string(), testing::readFile(entry.path().string())});
    std::sort(inputs.begin(), inputs.end(),
              [](const LevelInput& a, const LevelInput& b) { return a.path < b.path; });
    LevelRunOptions options = optionsOf(optionLines(folder / "options"));
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
        const std::string actual = runCase(folder);
        const fs::path expected = folder / "expected.txt";
        if (std::getenv("ZENDRO_UPDATE_CASES") != nullptr) {
            std::ofstream(expected, std::ios::binary) << actual;
            continue;
        }
        ASSERT_TRUE(fs::exists(expected)) << expected << " is missing";
        if (testing::readFile(expected.string()) != actual)
            ADD_FAILURE() << expected << " differs:\n" << unifiedDiff(expected, actual);
    }
}

}  // namespace
}  // namespace zendro::levels
