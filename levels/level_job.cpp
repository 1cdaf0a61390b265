#include "levels/level_job.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "levels/level_report.h"
#include "review/limit_table.h"

namespace zendro::levels {

void addLevelFindings(review::ReviewReport& report, const LevelRunResult& run,
                      const std::vector<Observation>& records) {
    std::vector<review::Finding> findings;
    findings.reserve(run.findings.size());
    std::size_t over = 0;
    for (const LevelFinding& level : run.findings) {
        review::Finding& finding = findings.emplace_back();
        finding.kind = review::FindingKind::LevelRun;
        finding.point = coordinates::pointNumberOf(level.point);
        finding.overLimit = level.over;
        finding.text = level.text();
        finding.measured = level.value;
        finding.limit = level.limit;
        if (level.measured) finding.verdict = level.over ? "OVER LIMIT" : "within limit";
        finding.advice = level.advice;
        const std::string place = level.place();
        finding.source =
            level.file.empty() ? "level network" : level.file + (place.empty() ? "" : " " + place);
        finding.pointName = level.point;
        if (level.over) ++over;
    }
    // A fault in a file counts as a check it failed, so the checks within
    // their limits stay the run's own.
    const std::size_t faults = over - std::min(over, run.tally.over);
    review::addFindings(report, std::move(findings), run.tally.measured + faults, records);
}

std::vector<coordinates::LevelledHeight> levelledHeights(
    const LevelRunResult& run, const review::Plan& plan,
    const std::vector<coordinates::ControlPoint>& horizontal) {
    std::vector<coordinates::LevelledHeight> heights;
    if (!run.network.adjusted) return heights;
    std::unordered_map<std::string, std::string> fileOf;
    for (const ReducedLine& line : run.lines) {
        const std::string& file = line.line->file;
        fileOf.emplace(line.line->startPoint, file);
        for (const BookRow& row : line.rows) fileOf.emplace(row.forePoint, file);
        for (const IntermediateRow& sight : line.intermediates) fileOf.emplace(sight.point, file);
    }
    std::unordered_set<std::int64_t> placed;
    for (const coordinates::ControlPoint& point : horizontal) placed.insert(point.number);
    for (const AdjustedHeight& height : run.network.heights) {
        const std::optional<std::int64_t> number = coordinates::pointNumberOf(height.point);
        if (!number || plan.find(*number) == nullptr || placed.contains(*number)) continue;
        const auto file = fileOf.find(height.point);
        heights.push_back({*number, height.height, height.sd,
                           std::string(heightSourceName(height.source)),
                           file == fileOf.end() ? std::string() : file->second});
    }
    return heights;
}

std::vector<coordinates::ControlPoint> heightControl(
    const std::vector<coordinates::LevelledHeight>& heights) {
    std::vector<coordinates::ControlPoint> control;
    for (const coordinates::LevelledHeight& height : heights) {
        coordinates::ControlPoint& point = control.emplace_back();
        point.number = height.number;
        point.name = std::to_string(height.number);
        point.elevation = height.height;
        point.horizontal = false;
        if (height.sd > 0) {
            point.hold = coordinates::ControlHold::Weighted;
            point.sigmaElevation = height.sd;
        }
        point.source = height.origin();
    }
    return control;
}

std::vector<review::ReportTable> jobLevelBook(
    const LevelRunResult& run, const std::vector<coordinates::LevelledHeight>& heights) {
    using review::CellAlign;
    review::ReportTable table;
    table.title = "Heights from level runs";
    std::string files;
    for (const std::string& file : run.files) files += (files.empty() ? "" : ", ") + file;
    table.before.push_back("Level runs: " + files + "; " + std::to_string(run.lines.size()) +
                           " lines");
    for (const review::LimitDefinition& limit : review::limitTable(review::LimitGroup::Level))
        table.before.push_back(
            "Level limit: " + std::string(limit.label) + ": " +
            review::limitText(limit, run.limits.*limit.levelField, run.forms.unit));
    if (run.network.adjusted)
        for (const std::string& line : levelSummaryLines(run))
            table.before.push_back("Level network: " + line);
    table.before.push_back(std::to_string(heights.size()) +
                           " points of the job take these heights into its adjustment (held at "
                           "SD 0, else weighted by it) and its control checks:");
    table.columns = {{"Point", CellAlign::Left, 12, 0.2},
                     {"Height", CellAlign::Right, 12, 0.2},
                     {"SD", CellAlign::Right, 10, 0.15},
                     {"Source", CellAlign::Trailing, 0, 0.45}};
    for (const coordinates::LevelledHeight& height : heights)
        table.rows.push_back({{std::to_string(height.number), run.forms.height(height.height),
                               run.forms.height(height.sd), height.kind + ", " + height.file},
                              false});
    std::vector<review::ReportTable> book{std::move(table)};
    for (review::ReportTable& line : levelBooks(run)) book.push_back(std::move(line));
    return book;
}

}  // namespace zendro::levels
