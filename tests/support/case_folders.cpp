#include "tests/support/case_folders.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "tests/support/temp_dir.h"

namespace zendro::testing {

std::map<std::string, std::string> optionLines(const std::filesystem::path& file) {
    std::map<std::string, std::string> values;
    if (!std::filesystem::exists(file)) return values;
    std::istringstream lines(readFile(file.string()));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

std::string unifiedDiff(const std::filesystem::path& expected, const std::string& actual) {
    TempDir dir;
    const std::string actualPath = dir.file("actual");
    std::ofstream(actualPath, std::ios::binary) << actual;
    const std::string command = "diff -u '" + expected.string() + "' '" + actualPath + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) text += buffer;
    return text;
}

void expectCaseFile(const std::filesystem::path& expected, const std::string& actual) {
    if (std::getenv("ZENDRO_UPDATE_CASES") != nullptr) {
        std::ofstream(expected, std::ios::binary) << actual;
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(expected)) << expected << " is missing";
    if (readFile(expected.string()) != actual)
        ADD_FAILURE() << expected << " differs:\n" << unifiedDiff(expected, actual);
}

}  // namespace zendro::testing
