// One reader of the point-feature file, three users side by side: the point
// table keeps a partial last entry, the feature grid and the chain section do not.

#include <gtest/gtest.h>

#include <string>

#include "features/chain_list.h"
#include "features/feature_grid.h"
#include "features/pf_reader.h"
#include "features/point_table.h"

namespace zendro {
namespace {

struct Case {
    const char* edge;
    std::string bytes;
    std::string expected;  // what the three users take, as `summary` prints it
};

std::string summary(std::string_view bytes) {
    const PointTable table = loadPointTable(bytes, "*");
    const std::size_t last = table.pointCount();
    std::string text = "table " + std::to_string(last - 1);
    if (!table.at(last).name.isEmpty() || !table.at(last).description.empty()) {
        text += " + partial " + table.at(last).name.plainText() + "|" + table.at(last).description;
    }
    text += ", grid " + std::to_string(loadFeatureRows(bytes).size());
    const auto chains = buildChainLists(bytes, ConversionOptions{});
    text += ", chain points " + std::to_string(chains.empty() ? 0 : chains[0].entries.size());
    return text;
}

const Case kCases[] = {
    {"complete lines", " 1 ,+EP, \r\n 2 ,EP,X\r\n", "table 2, grid 2, chain points 2"},
    {"no final line break after the comment", " 1 ,+EP, \r\n 2 ,EP,X",
     "table 2, grid 2, chain points 2"},
    {"cut after the description's comma", " 1 ,+EP, \r\n 2 ,EP,",
     "table 1 + partial 2|EP, grid 1, chain points 1"},
    {"cut inside the description", " 1 ,+EP, \r\n 2 ,EP",
     "table 1 + partial 2|EP, grid 1, chain points 1"},
    {"cut after the name", " 1 ,+EP, \r\n 2 ", "table 1 + partial 2|, grid 1, chain points 1"},
    {"blank line at the end: an empty partial entry", " 1 ,+EP, \r\n\r\n",
     "table 1, grid 1, chain points 1"},
    {"empty file", "", "table 0, grid 0, chain points 0"},
};

TEST(PointFeatureEntries, TheTableKeepsAPartialLastEntryTheGridAndChainsDoNot) {
    for (const Case& c : kCases) EXPECT_EQ(summary(c.bytes), c.expected) << c.edge;
}

}  // namespace
}  // namespace zendro
