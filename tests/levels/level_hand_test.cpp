// Level lines and a loop worked by hand: the values in the comments are
// computed on paper from the readings, not by the code under test.

#include <gtest/gtest.h>

#include "levels/level_report.h"
#include "levels/level_run.h"
#include "levels/m5_format.h"

namespace zendro::levels {
namespace {

using m5::ValueField;
using m5::ValueType;

// An M5 file written line by line in the exact columns.
class M5Text {
  public:
    explicit M5Text(std::string_view unit, int places) : unit_(unit), places_(places) {}

    M5Text& text(std::string_view text, int line) {
        std::string info(text);
        info.resize(m5::kInfoWidth - 1, ' ');
        info += std::to_string(line);
        bytes_ += m5::composeLine(address_++, "TO", info, {});
        return *this;
    }
    M5Text& start(std::string_view point, double height, int line) {
        return values(point, line, {std::nullopt, std::nullopt, value(ValueType::Height, height)});
    }
    M5Text& back(std::string_view point, double staff, double sight, int line) {
        return values(point, line, {value(ValueType::BackReading, staff), distance(sight), {}});
    }
    M5Text& fore(std::string_view point, double staff, double sight, int line) {
        return values(point, line, {value(ValueType::ForeReading, staff), distance(sight), {}});
    }
    const std::string& bytes() const { return bytes_; }

  private:
    M5Text& values(std::string_view point, int line,
                   const std::array<std::optional<ValueField>, 3>& fields) {
        bytes_ += m5::composeLine(address_++, "KD1", m5::measurementInfo(point, "", "", line), fields);
        return *this;
    }
    ValueField value(ValueType type, double v) const { return {type, v, places_, unit_}; }
    ValueField distance(double v) const { return {ValueType::Distance, v, 3, unit_}; }

    std::string unit_;
    int places_;
    std::string bytes_;
    std::uint32_t address_ = 1;
};

coordinates::ControlPoint benchmark(std::string name, double height) {
    coordinates::ControlPoint point;
    point.name = std::move(name);
    point.number = coordinates::kNoPointNumber;
    point.horizontal = false;
    point.elevation = height;
    return point;
}

LevelRunResult run(const std::string& bytes, std::vector<coordinates::ControlPoint> control,
                   LengthUnit unit, double sigmaKm = 1.0) {
    LevelRunOptions options;
    options.unit = unit;
    options.sigmaKm = sigmaKm;
    return runLevels({{"hand.dat", bytes}}, control, options);
}

// BF from A (25.000, held) to B (25.700, held), meters:
//   setup  back        fore          difference         height   imbalance
//   1      A  1.832/35  T1 0.914/34.0  +0.918           25.918    +1.0
//   2      T1 1.207/40  T2 1.655/41.5  -0.448           25.470    -0.5
//   3      T2 1.440/28  B  1.208/27.0  +0.232           25.702    +0.5
// Sums: back 4.479, fore 3.777, 4.479 - 3.777 = 0.702 = 25.702 - 25.000.
// Misclosure 25.702 - 25.700 = +0.002 m over 103 + 102.5 = 205.5 m:
// allowance 12 mm x sqrt(0.2055) = 12 x 0.453321 = 5.43985 mm.
// The one section between held benchmarks takes the residual -0.002 spread
// by length: T1 at 69/205.5 = 0.335766 is 25.918 - 0.000672 = 25.917328,
// T2 at 150.5/205.5 = 0.732360 is 25.470 - 0.001465 = 25.468535.
TEST(LevelByHand, BfLineBetweenTwoBenchmarks) {
    M5Text file("m", 5);
    file.text("Start-Line         BF", 1).start("A", 25.0, 1);
    file.back("A", 1.832, 35.0, 1).fore("T1", 0.914, 34.0, 1);
    file.back("T1", 1.207, 40.0, 1).fore("T2", 1.655, 41.5, 1);
    file.back("T2", 1.440, 28.0, 1).fore("B", 1.208, 27.0, 1);
    file.text("End-Line", 1);
    const LevelRunResult result = run(file.bytes(), {benchmark("A", 25.0), benchmark("B", 25.7)},
                                      LengthUnit::Metre);
    ASSERT_EQ(result.lines.size(), 1u);
    const ReducedLine& line = result.lines[0];
    ASSERT_EQ(line.rows.size(), 3u);
    const double differences[] = {0.918, -0.448, 0.232};
    const double heights[] = {25.918, 25.470, 25.702};
    const double imbalances[] = {1.0, -0.5, 0.5};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(line.rows[i].difference, differences[i], 1e-12) << i;
        EXPECT_NEAR(line.rows[i].height, heights[i], 1e-12) << i;
        EXPECT_NEAR(line.rows[i].imbalance, imbalances[i], 1e-12) << i;
    }
    EXPECT_NEAR(line.sumBack, 4.479, 1e-12);
    EXPECT_NEAR(line.sumFore, 3.777, 1e-12);
    EXPECT_TRUE(line.arithmeticHolds);
    EXPECT_EQ(line.closure.kind, ClosureKind::BetweenBenchmarks);
    EXPECT_NEAR(line.closure.misclosure, 0.002, 1e-12);
    EXPECT_NEAR(line.closure.allowance, 0.00543985, 1e-8);
    EXPECT_FALSE(line.closure.over);
    ASSERT_EQ(result.network.heights.size(), 4u);
    EXPECT_EQ(result.network.heights[1].point, "T1");
    EXPECT_NEAR(result.network.heights[1].height, 25.917328, 1e-6);
    EXPECT_EQ(result.network.heights[2].point, "T2");
    EXPECT_NEAR(result.network.heights[2].height, 25.468535, 1e-6);
}

// BFFB in US survey feet from P (412.3000, held) to Q (410.6100, held):
//   setup 1: P 5.1230/100, T 3.2110/102, T 3.2115/102, P 5.1241/100
//     differences 1.9120 and 1.9126: mean +1.9123, they differ by -0.0006
//   setup 2: T 2.4000/90, Q 6.0004/91, Q 5.9970/91, T 2.4016/90
//     differences -3.6004 and -3.5954: mean -3.5979, they differ by -0.0050,
//     over the 0.002 ft limit
// T = 412.3000 + 1.9123 = 414.2123, Q = 414.2123 - 3.5979 = 410.6144.
// Misclosure 410.6144 - 410.6100 = +0.0044 ft over 383 ft = 0.0725379 mile:
// allowance 0.05 x sqrt(0.0725379) = 0.05 x 0.269329 = 0.0134665 ft.
// (A level of 2 mm per double-run km, so that only the double reading is over.)
TEST(LevelByHand, BffbLineInFeetWithADoubleReadingOverItsLimit) {
    M5Text file("ft", 4);
    file.text("Start-Line         BFFB", 2).start("P", 412.3, 2);
    file.back("P", 5.1230, 100, 2).fore("T", 3.2110, 102, 2).fore("T", 3.2115, 102, 2);
    file.back("P", 5.1241, 100, 2);
    file.back("T", 2.4000, 90, 2).fore("Q", 6.0004, 91, 2).fore("Q", 5.9970, 91, 2);
    file.back("T", 2.4016, 90, 2);
    file.text("End-Line", 2);
    const LevelRunResult result = run(file.bytes(), {benchmark("P", 412.3), benchmark("Q", 410.61)},
                                      LengthUnit::UsSurveyFoot, 2.0);
    const ReducedLine& line = result.lines.at(0);
    ASSERT_EQ(line.rows.size(), 2u);
    EXPECT_NEAR(line.rows[0].difference, 1.9123, 1e-12);
    EXPECT_NEAR(*line.rows[0].differenceSpread, -0.0006, 1e-12);
    EXPECT_NEAR(line.rows[0].height, 414.2123, 1e-9);
    EXPECT_NEAR(line.rows[1].difference, -3.5979, 1e-12);
    EXPECT_NEAR(*line.rows[1].differenceSpread, -0.0050, 1e-12);
    EXPECT_NEAR(line.rows[1].height, 410.6144, 1e-9);
    EXPECT_NEAR(line.closure.misclosure, 0.0044, 1e-9);
    EXPECT_NEAR(line.closure.allowance, 0.0134665, 1e-7);
    EXPECT_FALSE(line.closure.over);
    std::vector<std::string> over;
    for (const LevelFinding& finding : result.findings)
        if (finding.over) over.push_back(finding.text());
    EXPECT_EQ(over, std::vector<std::string>{
                        "hand.dat: line 2, Adr 7, point T: setup from T to Q: its two height "
                        "differences differ by -0.0050 ft; limit 0.002 ft: OVER LIMIT, re-measure "
                        "the setup"});
}

// One setup of the given rise over `metres` (half each way), from one point to another.
ReducedLine section(const LevelLine& line, double rise, double metres, std::string to) {
    ReducedLine reduced;
    reduced.line = &line;
    BookRow row;
    row.backPoint = line.startPoint;
    row.forePoint = std::move(to);
    row.difference = rise;
    row.backDistance = row.foreDistance = metres / 2;
    reduced.rows.push_back(row);
    reduced.backLength = reduced.foreLength = metres / 2;
    return reduced;
}

// A loop from A (100.000, held) through B and C back to A, 1 mm per km of
// double-run levelling (a single run's variance 2 mm^2 per km):
//   A-B 1 km +1.000, B-T 0.5 km +0.200, T-C 1.5 km +0.300, C-A 1 km -1.506
// Misclosure 1.000 + 0.500 - 1.506 = -0.006: each section takes +0.006 x L/4,
// so B = 101.0015, C = 101.5045, and T (a quarter along B-C) =
// 101.0015 + 0.200 + 0.25 x 0.003 = 101.20225.
// Sum of squares 1.5^2/2 + 3^2/4 + 1.5^2/2 = 4.5 with one degree of freedom.
// Redundancies L/4: 0.25, 0.5, 0.25; every standardized residual is the
// loop's 6 / sqrt(8) = 2.12132. Weights 1/2, 1/4, 1/2 make
// N = [[0.75, -0.25], [-0.25, 0.75]], Q = [[1.5, 0.5], [0.5, 1.5]] mm^2:
// B and C 1.22474 mm; T (1-t)^2 1.5 + t^2 1.5 + 2t(1-t) 0.5 + 4 t(1-t)
// = 1.875 mm^2 with t = 0.25: 1.36931 mm.
TEST(LevelByHand, LoopOfThreeSections) {
    std::vector<LevelLine> lines(3);
    lines[0].startPoint = "A";
    lines[1].startPoint = "B";
    lines[2].startPoint = "C";
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i].number = static_cast<int>(i + 1);
    std::vector<ReducedLine> reduced;
    reduced.push_back(section(lines[0], 1.000, 1000, "B"));
    reduced.push_back(section(lines[1], 0.200, 500, "T"));
    reduced[1].rows.push_back(reduced[1].rows[0]);
    reduced[1].rows[1].backPoint = "T";
    reduced[1].rows[1].forePoint = "C";
    reduced[1].rows[1].difference = 0.300;
    reduced[1].rows[1].backDistance = reduced[1].rows[1].foreDistance = 750;
    reduced.push_back(section(lines[2], -1.506, 1000, "A"));
    Benchmarks benchmarks;
    benchmarks["A"] = {"A", 100.0, std::nullopt, 1};
    const NetworkResult result = adjustNetwork(reduced, benchmarks, {LengthUnit::Metre, 1.0});
    ASSERT_EQ(result.sections.size(), 3u);
    EXPECT_EQ(result.unknowns, 2u);
    EXPECT_EQ(result.degreesOfFreedom, 1);
    EXPECT_NEAR(result.sumOfSquares, 4.5, 1e-9);
    EXPECT_NEAR(result.varianceFactor, 4.5, 1e-9);
    EXPECT_TRUE(result.testPassed);
    const double residuals[] = {0.0015, 0.003, 0.0015};
    const double redundancies[] = {0.25, 0.5, 0.25};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(result.sections[i].residual, residuals[i], 1e-12) << i;
        EXPECT_NEAR(result.sections[i].redundancy, redundancies[i], 1e-12) << i;
        EXPECT_NEAR(*result.sections[i].standardized, 2.12132, 1e-5) << i;
    }
    EXPECT_FALSE(result.blunder);
    std::map<std::string, AdjustedHeight> heights;
    for (const AdjustedHeight& height : result.heights) heights[height.point] = height;
    EXPECT_NEAR(heights.at("B").height, 101.0015, 1e-12);
    EXPECT_NEAR(heights.at("C").height, 101.5045, 1e-12);
    EXPECT_NEAR(heights.at("T").height, 101.20225, 1e-12);
    EXPECT_NEAR(heights.at("B").sd, 0.00122474, 1e-8);
    EXPECT_NEAR(heights.at("C").sd, 0.00122474, 1e-8);
    EXPECT_NEAR(heights.at("T").sd, 0.00136931, 1e-8);
    EXPECT_EQ(heights.at("A").sd, 0);
    EXPECT_EQ(heights.at("T").source, HeightSource::TurningPoint);
}

}  // namespace
}  // namespace zendro::levels
