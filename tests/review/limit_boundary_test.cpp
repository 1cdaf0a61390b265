// Every review limit just inside and just outside, from limit_boundaries.txt.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "features/point_table.h"
#include "review/check_report.h"

namespace zendro {
namespace {

// One measure of the named check, its values in the table's order.
review::Plan planWith(const std::string& check, const std::vector<double>& v) {
    review::Plan plan;
    if (check == "closure") plan.closures.push_back({1, 1, v.at(1), 0, v.at(2), v.at(0)});
    if (check == "backsight") plan.backsights.push_back({1, 1, 100 + v.at(0), 100, v.at(1), 0});
    if (check == "face") plan.facePairs.push_back({2, 1, 1, v.at(0), v.at(1), v.at(2)});
    if (check == "check") plan.checkShots.push_back({2, 1, 1, v.at(0), v.at(1)});
    return plan;
}

TEST(LimitBoundaries, EachLimitJustInsideAndJustOutside) {
    std::ifstream table(ZENDRO_LIMIT_BOUNDARIES);
    ASSERT_TRUE(table) << ZENDRO_LIMIT_BOUNDARIES;
    const std::vector<Observation> records;
    const PointTable points;
    const JobMeaning meaning;
    std::size_t rows = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line.starts_with('#')) continue;
        std::istringstream fields(line);
        std::string unit, check, word;
        fields >> unit >> check;
        std::vector<std::string> words;
        while (fields >> word) words.push_back(word);
        const std::string expected = words.back();
        words.pop_back();
        std::vector<double> values;
        for (const std::string& w : words) values.push_back(std::stod(w));
        const review::Plan plan = planWith(check, values);
        const review::ReviewReport report = review::buildReport(
            {records, points, meaning, plan, ""}, review::defaultLimits(zendro::jobUnit(unit == "m")));
        EXPECT_EQ(report.overLimit, expected == "over" ? 1u : 0u) << line;
        EXPECT_EQ(report.measuredChecks, 1u) << line;
        ++rows;
    }
    EXPECT_EQ(rows, 32u);
}

}  // namespace
}  // namespace zendro
