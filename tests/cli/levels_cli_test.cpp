// zendro-convert --levels: the level runs' findings and summary on the
// console, --strict over a level limit, and the errors naming the file.
// The runs are in levels_cases.txt.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/levelled_job.h"

namespace zendro::testing {
namespace {

std::string replaced(std::string text, const std::string& key, const std::string& value) {
    for (std::size_t at; (at = text.find(key)) != std::string::npos;)
        text.replace(at, key.size(), value);
    return text;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

TEST(ConvertLevels, EachRunOfTheCases) {
    TempDir dir;
    const LevelledJob made = writeLevelledJob(dir);
    TempDir faulty;
    genlevels::FaultRequest fault;
    fault.staff = 0.006;
    fault.line = 3;
    fault.setup = 4;
    const std::string faultPath = dir.file("FAULT.DAT");
    writeFile(faultPath, readFile(writeLevelledJob(faulty, fault).runPath));

    std::ifstream cases(ZENDRO_LEVELS_CASES);
    int runs = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line.front() == '#') continue;
        const std::size_t bar = line.find('|');
        const std::size_t second = line.find('|', bar + 1);
        const int status = std::stoi(line.substr(0, bar));
        const auto fill = [&](const std::string& text) {
            return replaced(replaced(replaced(replaced(trimmed(text), "{run}", made.runPath),
                                              "{fault}", faultPath),
                                     "{bench}", made.benchPath),
                            "{dir}", dir.path());
        };
        const auto fillJob = [&](const std::string& text) {
            return replaced(fill(text), "{hvd}", made.hvdPath);
        };
        const std::string arguments = fill(line.substr(bar + 1, second - bar - 1));
        const std::string expected = fillJob(line.substr(second + 1));
        const std::string command = std::string("'") + ZENDRO_CONVERT_PATH + "' " + arguments +
                                    " '" + made.hvdPath + "' 2>&1";
        std::string out;
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 4096> buffer{};
        while (const std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
            out.append(buffer.data(), n);
        const int raw = pclose(pipe);
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, status) << arguments << "\n" << out;
        EXPECT_NE(("\n" + out).find("\n" + expected + "\n"), std::string::npos)
            << arguments << "\nwants: " << expected << "\n"
            << out;
        ++runs;
    }
    EXPECT_EQ(runs, 9);
}

}  // namespace
}  // namespace zendro::testing
