#include "levels/level_profile.h"

#include <filesystem>
#include <unordered_set>

#include "levels/level_report.h"

namespace zendro::levels {

LineProfile lineProfile(const LevelRunResult& result, std::size_t line) {
    const ReducedLine& reduced = result.lines.at(line);
    const LevelLine& level = *reduced.line;
    std::unordered_set<std::string> benchmarks;
    for (const AdjustedHeight& height : result.network.heights)
        if (height.source == HeightSource::HeldBenchmark ||
            height.source == HeightSource::WeightedBenchmark)
            benchmarks.insert(height.point);
    if (reduced.startFrom == StartFrom::Benchmark) benchmarks.insert(level.startPoint);
    if (reduced.closure.kind == ClosureKind::BetweenBenchmarks) benchmarks.insert(level.endPoint());

    LineProfile profile;
    profile.title = "Line " + std::to_string(level.number) + " (" +
                    std::filesystem::path(level.file).filename().string() +
                    "): " + (level.startPoint.empty() ? "-" : level.startPoint) + " to " +
                    (level.endPoint().empty() ? "-" : level.endPoint());
    const auto at = [&](double distance, double height, const std::string& point) {
        return ProfilePoint{distance, height, point, !point.empty() && benchmarks.contains(point)};
    };
    double along = 0;
    profile.points.push_back(at(along, reduced.startHeight, level.startPoint));
    for (std::size_t i = 0; i < reduced.rows.size(); ++i) {
        const BookRow& row = reduced.rows[i];
        const double instrument = along + row.backDistance.value_or(0);
        for (const IntermediateRow& sight : reduced.intermediates)
            if (sight.setup == i)
                profile.sights.push_back(at(instrument, sight.height, sight.point));
        along = instrument + row.foreDistance.value_or(0);
        profile.points.push_back(at(along, row.height, row.forePoint));
    }
    profile.failing = setupsOverLimit(result, line);
    return profile;
}

}  // namespace zendro::levels
