// The README's table of review limits is the limit table as the program has
// it: every row, in order, with its flag and both defaults.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "review/limit_table.h"

namespace zendro::review {
namespace {

std::string readmeTable() {
    std::ifstream readme(ZENDRO_README_PATH, std::ios::binary);
    std::stringstream text;
    text << readme.rdbuf();
    const std::string all = text.str();
    const std::size_t start = all.find("| Limit | Flag | Feet | Meters |\n|---|---|---|---|\n");
    if (start == std::string::npos) return {};
    const std::size_t rows = all.find('\n', all.find('\n', start) + 1) + 1;
    return all.substr(rows, all.find("\n\n", rows) + 1 - rows);
}

TEST(LimitTable, TheReadmeTableListsEveryLimitWithItsDefaults) {
    std::string expected;
    for (const LimitDefinition& limit : limitTable()) {
        expected += "| " + std::string(limit.label) + " | `" + std::string(limit.flag) + "` | " +
                    limitText(limit, limit.feetDefault, zendro::LengthUnit::UsSurveyFoot) + " | " +
                    limitText(limit, limit.meterDefault, zendro::LengthUnit::Metre) + " |\n";
    }
    EXPECT_EQ(readmeTable(), expected);
}

}  // namespace
}  // namespace zendro::review
