// Level runs joined to a job: a generated corridor job and a generated level
// run through five of its points, run through the one job session.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "common/errors.h"
#include "common/job_paths.h"
#include "common/run_observer.h"
#include "coordinates/job_placement.h"
#include "job/job_session.h"
#include "tests/support/levelled_job.h"

namespace zendro::testing {
namespace {

struct NoDrawing final : JobDrawing {
    void writeSketch(const review::SketchModel&, const std::string& path,
                     const SketchRequest&) override {
        throw ZendroError(path, "no drawing here");
    }
    std::string reportPdf(const review::JobReportInput&, const std::string& path) override {
        throw ZendroError(path, "no drawing here");
    }
};

// The job's session with the run, its control file and sigmas for --adjust.
JobSession sessionOf(const LevelledJob& made, const std::string& controlPath) {
    JobConfig config;
    config.options.unit = LengthUnit::Metre;
    config.limits = review::defaultLimits(LengthUnit::Metre);
    config.controlPath = controlPath;
    config.placement = std::make_shared<const coordinates::PlacementInput>(
        coordinates::placementInput({controlPath, std::nullopt, std::nullopt, "", true},
                                    readFile(controlPath), LengthUnit::Metre));
    config.levels.emplace().files = {made.runPath};
    config.levels->sigmaKm = 0.5;
    config.adjustment = adjustment::defaultSigmas(LengthUnit::Metre);
    JobSession session(deriveJobPaths(made.hvdPath), std::move(config));
    NullObserver quiet;
    session.convert(quiet);
    return session;
}

std::map<std::int64_t, double> truthHeights(const LevelledJob& made) {
    std::map<std::int64_t, double> heights;
    for (const coordinates::ControlPoint& point :
         coordinates::readControlFile(made.truthPath, readFile(made.truthPath)))
        heights[point.number] = point.elevation;
    return heights;
}

// Only the benchmarks come with the job: every height of its adjustment then
// hangs from the level's. The five levelled points are its vertical
// control: the held benchmarks at their heights exactly, the others observed
// at the level network's heights; and the whole job lands on its true
// heights, where without them the first station would hold the local 0.
TEST(LevelledJob, TheLevelledHeightsHoldTheJobsAdjustment) {
    TempDir dir;
    const LevelledJob made = writeLevelledJob(dir);
    JobSession session = sessionOf(made, made.benchPath);
    session.review();
    const adjustment::JobAdjustment& adjusted = session.adjust();

    std::set<std::int64_t> through;
    for (const genlevels::TrueHeight& height : made.through) through.insert(std::stoll(height.point));
    std::set<std::int64_t> levelled;
    std::map<std::string, double> network;
    for (const levels::AdjustedHeight& height : session.levels()->network.heights)
        network[height.point] = height.height;
    for (const coordinates::LevelledHeight& height : session.levelled()) {
        levelled.insert(height.number);
        EXPECT_EQ(height.height, network.at(std::to_string(height.number)));
        EXPECT_EQ(height.file, made.runPath);
        const coordinates::PointPosition* at = adjusted.result.positions.find(height.number);
        ASSERT_NE(at, nullptr) << height.number;
        if (height.sd == 0) {
            EXPECT_NEAR(at->elevation, height.height, 1e-9) << height.number;
            continue;
        }
        const auto row = std::find_if(
            adjusted.result.residuals.begin(), adjusted.result.residuals.end(),
            [&](const adjustment::ObservationResidual& r) {
                return r.kind == adjustment::ObservationKind::ControlElevation &&
                       r.from == height.number;
            });
        ASSERT_NE(row, adjusted.result.residuals.end()) << height.number;
        EXPECT_EQ(row->observed, height.height);
        EXPECT_NEAR(at->elevation, height.height, 0.002) << height.number;
    }
    EXPECT_EQ(levelled, through);
    const std::map<std::int64_t, double> truth = truthHeights(made);
    for (const coordinates::PointPosition& point : adjusted.result.positions.points)
        EXPECT_NEAR(point.elevation, truth.at(point.number), 0.03) << point.number;

    // The job report's level book: the heights taken, then every line.
    NoDrawing drawing;
    session.writeReports({dir.file("LV.txt")}, drawing, "01-02-2026");
    const std::string report = readFile(dir.file("LV.txt"));
    EXPECT_NE(report.find("\r\nHeights from level runs\r\n"), std::string::npos);
    for (int line = 1; line <= 6; ++line)
        EXPECT_NE(report.find("\r\nLine " + std::to_string(line) + " (" + made.runPath + ", "),
                  std::string::npos)
            << line;
}

// A foresight 6 mm off: the level run's blunder joins the job's review,
// naming its file, line, address and point, its value and limit.
TEST(LevelledJob, ALevelRunsFaultJoinsTheReview) {
    TempDir dir;
    genlevels::FaultRequest fault;
    fault.staff = 0.006;
    fault.line = 3;
    fault.setup = 4;
    const LevelledJob made = writeLevelledJob(dir, fault);
    JobSession session = sessionOf(made, made.benchPath);
    const review::ReviewReport& report = session.review().report;
    const auto blunder = std::find_if(
        report.findings.begin(), report.findings.end(), [](const review::Finding& finding) {
            return finding.kind == review::FindingKind::LevelRun && finding.overLimit &&
                   finding.text.find("blunder") != std::string::npos;
        });
    ASSERT_NE(blunder, report.findings.end()) << report.text();
    EXPECT_TRUE(blunder->text.starts_with(made.runPath + ": line 3, Adr ")) << blunder->text;
    EXPECT_TRUE(blunder->source.starts_with(made.runPath + " line 3, Adr ")) << blunder->source;
    ASSERT_TRUE(blunder->measured && blunder->limit);
    EXPECT_GT(blunder->measured->number, blunder->limit->number);
    EXPECT_GE(report.overLimit, 1u);
}

// Tied to three control points, the job's elevations are checked against
// the levelled heights; a benchmark 5 cm off is over the limit there, and
// no benchmark line places the job in plan.
TEST(LevelledJob, TheControlChecksHoldTheJobToTheLevelledHeights) {
    TempDir dir;
    const LevelledJob made = writeLevelledJob(dir);
    const std::string truth = readFile(made.truthPath);
    std::string control;
    std::set<std::int64_t> horizontal;
    for (const std::size_t index : {1u, 10u, 30u}) {
        std::size_t at = 0;
        for (std::size_t line = 0; line < index; ++line) at = truth.find('\n', at) + 1;
        const std::string line = truth.substr(at, truth.find('\n', at) + 1 - at);
        control += line;
        horizontal.insert(std::stoll(line.substr(0, line.find(','))));
    }
    const std::string bench = readFile(made.benchPath);
    const std::string wrong = bench.substr(0, bench.find('\n'));  // the first benchmark
    const std::string point = wrong.substr(0, wrong.find(','));
    const double height = std::stod(wrong.substr(wrong.rfind(',') + 1));
    control += point + ",,," + std::to_string(height + 0.05) + "\n" + bench.substr(bench.find('\n') + 1);
    writeFile(dir.file("control.csv"), control);

    JobSession session = sessionOf(made, dir.file("control.csv"));
    const review::ReviewReport& report = session.review().report;
    ASSERT_TRUE(session.tie().has_value());
    ASSERT_EQ(session.tie()->ties.size(), 1u);
    const std::vector<std::int64_t>& used = session.tie()->ties.front().controlUsed;
    EXPECT_EQ(std::set<std::int64_t>(used.begin(), used.end()), horizontal);

    const auto check = std::find_if(
        report.findings.begin(), report.findings.end(), [&](const review::Finding& finding) {
            return finding.kind == review::FindingKind::ControlPoint &&
                   finding.point == std::stoll(point);
        });
    ASSERT_NE(check, report.findings.end()) << report.text();
    EXPECT_TRUE(check->overLimit) << check->text;
    EXPECT_NE(check->text.find("height check against level run " + made.runPath), std::string::npos)
        << check->text;
    EXPECT_NEAR(check->measured->number, 0.05, 0.015) << check->text;
}

}  // namespace
}  // namespace zendro::testing
