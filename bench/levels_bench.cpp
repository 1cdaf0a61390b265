// Level runs: a network of 100 lines of 50 setups (5,000 setups) read, and
// read, reduced, checked and adjusted, from memory.

#include <benchmark/benchmark.h>

#include "coordinates/control_file.h"
#include "levels/level_run.h"
#include "levels/m5_reader.h"
#include "tools/genlevels/level_network_plan.h"

namespace {

struct Network {
    std::string bytes;
    std::vector<zendro::coordinates::ControlPoint> control;
};

const Network& network() {
    static const Network made = [] {
        zendro::genlevels::LevelsShape shape;
        shape.metric = true;
        shape.lines = 100;
        shape.setups = 50;
        const zendro::genlevels::GeneratedLevels levels = zendro::genlevels::generateLevels(shape, {});
        return Network{levels.files.front(),
                       zendro::coordinates::readControlFile(
                           "control.csv", zendro::genlevels::heightLines(levels.benchmarks, true))};
    }();
    return made;
}

void readOnly(benchmark::State& state) {
    const Network& input = network();
    for (auto _ : state) {
        zendro::levels::M5File file = zendro::levels::readM5("NET.DAT", input.bytes);
        benchmark::DoNotOptimize(file.records.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(input.bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(input.bytes.size());
}

void wholeRun(benchmark::State& state) {
    const Network& input = network();
    const zendro::levels::LevelRunOptions options;
    std::size_t setups = 0;
    for (auto _ : state) {
        zendro::levels::LevelRunResult result =
            zendro::levels::runLevels({{"NET.DAT", input.bytes}}, input.control, options);
        benchmark::DoNotOptimize(result.network.heights.data());
        setups = 0;
        for (const auto& line : result.lines) setups += line.rows.size();
    }
    state.counters["setups"] = static_cast<double>(setups);
}

}  // namespace

BENCHMARK(readOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(wholeRun)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
