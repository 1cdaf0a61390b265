// The README's tables of review limits and of level limits are the limit
// table as the programs have it: every row, in order, with its flag and both
// defaults.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "review/limit_table.h"

namespace zendro::review {
namespace {

std::string readmeTable(const std::string& heading) {
    std::ifstream readme(ZENDRO_README_PATH, std::ios::binary);
    std::stringstream text;
    text << readme.rdbuf();
    const std::string all = text.str();
    const std::size_t start = all.find(heading + "\n|---|---|---|---|\n");
    if (start == std::string::npos) return {};
    const std::size_t rows = all.find('\n', all.find('\n', start) + 1) + 1;
    return all.substr(rows, all.find("\n\n", rows) + 1 - rows);
}

std::string tableOf(LimitGroup group) {
    std::string expected;
    for (const LimitDefinition& limit : limitTable(group)) {
        expected += "| " + std::string(limit.label) + " | `" + std::string(limit.flag) + "` | " +
                    limitText(limit, limit.feetDefault, zendro::LengthUnit::UsSurveyFoot) + " | " +
                    limitText(limit, limit.meterDefault, zendro::LengthUnit::Metre) + " |\n";
    }
    return expected;
}

TEST(LimitTable, TheReadmeTablesListEveryLimitWithItsDefaults) {
    EXPECT_EQ(readmeTable("| Limit | Flag | Feet | Meters |"), tableOf(LimitGroup::Review));
    EXPECT_EQ(readmeTable("| Level limit | Flag | Feet | Meters |"), tableOf(LimitGroup::Level));
}

}  // namespace
}  // namespace zendro::review
