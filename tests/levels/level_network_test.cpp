// Generated level networks adjusted: without noise they give back the true
// heights; a planted fault is found where it was planted.

#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "coordinates/control_file.h"
#include "levels/level_run.h"
#include "tools/genlevels/level_network_plan.h"

namespace zendro::levels {
namespace {

using genlevels::FaultRequest;
using genlevels::LevelsShape;

struct Generated {
    genlevels::GeneratedLevels levels;
    LevelRunResult result;
};

Generated adjust(const LevelsShape& shape, const FaultRequest& faults = {}, double sigmaKm = 1.0) {
    Generated out{genlevels::generateLevels(shape, faults), {}};
    std::vector<LevelInput> inputs;
    for (std::size_t i = 0; i < out.levels.files.size(); ++i)
        inputs.push_back({"NET-" + std::to_string(i + 1) + ".DAT", out.levels.files[i]});
    const std::vector<coordinates::ControlPoint> control = coordinates::readControlFile(
        "control.csv", genlevels::heightLines(out.levels.benchmarks, shape.metric));
    LevelRunOptions options;
    options.sigmaKm = sigmaKm;
    out.result = runLevels(inputs, control, options);
    return out;
}

// The files print readings to 0.01 mm (0.0001 ft): the truth comes back to
// the rounding of a line's readings summed.
TEST(GeneratedNetwork, WithoutNoiseTheAdjustmentGivesTheTrueHeights) {
    for (const bool metric : {true, false}) {
        LevelsShape shape;
        shape.metric = metric;
        shape.lines = 9;
        shape.readingSd = 0;
        shape.linesPerFile = 4;
        const Generated run = adjust(shape);
        SCOPED_TRACE(metric ? "meters" : "feet");
        EXPECT_EQ(run.levels.files.size(), 3u);
        std::map<std::string, double> adjusted;
        for (const AdjustedHeight& height : run.result.network.heights)
            adjusted[height.point] = height.height;
        EXPECT_EQ(adjusted.size(), run.levels.truth.size());
        for (const genlevels::TrueHeight& truth : run.levels.truth) {
            ASSERT_TRUE(adjusted.contains(truth.point)) << truth.point;
            EXPECT_NEAR(adjusted[truth.point], truth.height, metric ? 1e-4 : 3e-4) << truth.point;
        }
        // Only the variance test fails, below: no noise is far less than 1 mm per km.
        for (const LevelFinding& finding : run.result.findings)
            EXPECT_TRUE(!finding.over || finding.check == LevelCheck::VarianceTest) << finding.text();
    }
}

std::uint32_t plantedAddress(const std::vector<std::string>& faults) {
    std::smatch match;
    for (const std::string& fault : faults)
        if (std::regex_search(fault, match, std::regex("\\(Adr ([0-9]+)\\)")))
            return static_cast<std::uint32_t>(std::stoul(match[1]));
    return 0;
}

// A foresight 4 mm off in the cross line (3), whose section is checked by
// two other ways to its junction: the blunder is named there, with the
// addresses around the planted reading.
TEST(GeneratedNetwork, APlantedStaffErrorIsNamedAsTheBlunder) {
    for (const std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        LevelsShape shape;
        shape.metric = true;
        shape.seed = seed;
        FaultRequest faults;
        faults.staff = 0.004;
        faults.line = 3;
        faults.setup = 4;
        const Generated run = adjust(shape, faults, 0.5);
        const std::uint32_t planted = plantedAddress(run.levels.faults);
        ASSERT_NE(planted, 0u);
        const NetworkResult& network = run.result.network;
        ASSERT_TRUE(network.blunder);
        const Section& blunder = network.sections[*network.blunder];
        ASSERT_NE(blunder.line, nullptr);
        EXPECT_EQ(blunder.line->line->number, 3);
        EXPECT_LE(blunder.first.address, planted);
        EXPECT_GE(blunder.last.address + 3, planted);
        bool told = false;
        for (const LevelFinding& finding : run.result.findings)
            told = told || (finding.check == LevelCheck::Blunder && finding.line == 3 && finding.over);
        EXPECT_TRUE(told);
    }
}

// A line closing on another benchmark than its file names fails its closure.
TEST(GeneratedNetwork, AWrongBenchmarkFailsTheLinesClosure) {
    LevelsShape shape;
    shape.metric = false;
    FaultRequest faults;
    faults.wrongBenchmark = true;
    faults.line = 6;
    const Generated run = adjust(shape, faults, 0.5);
    ASSERT_EQ(run.levels.faults.size(), 1u);
    const ReducedLine& line = run.result.lines.at(5);
    EXPECT_EQ(line.closure.kind, ClosureKind::BetweenBenchmarks);
    EXPECT_TRUE(line.closure.over);
    EXPECT_TRUE(run.result.overLimit());
}

}  // namespace
}  // namespace zendro::levels
