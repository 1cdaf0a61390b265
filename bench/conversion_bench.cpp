// zendro-bench: times whole conversions of a large made-up job and the two
// hottest helpers of the record loop.
//
//   zendro-bench [--job_points=N] [--job_records_per_point=N] [benchmark flags]
//
// The job is written once into a scratch folder under the system's temporary
// folder, converted once so that its point-feature file exists, and removed at
// the end.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/job_paths.h"
#include "common/run_observer.h"
#include "common/text_forms.h"
#include "conversion/conversion_run.h"
#include "conversion/decoding.h"
#include "conversion/header_clock.h"
#include "tests/support/temp_dir.h"
#include "tools/genjob/job_files.h"
#include "tools/genjob/job_plan.h"

namespace {

constexpr std::uint32_t kSeed = 20240517;
// About 5500 feature entries (points plus second features) and 300000
// observation records: a large day's work and more.
constexpr std::size_t kDefaultPoints = 5000;
constexpr std::size_t kDefaultRecordsPerPoint = 60;
constexpr std::size_t kMicroRecords = 65536;

// Takes "--name=N" out of the arguments that the benchmark library left.
bool takeSizeFlag(std::string_view arg, std::string_view name, std::size_t& value) {
    const std::string prefix = "--" + std::string(name) + "=";
    if (!arg.starts_with(prefix)) return false;
    const std::string_view digits = arg.substr(prefix.size());
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        throw std::invalid_argument("bad value in " + std::string(arg));
    }
    return true;
}

void convertJob(benchmark::State& state, const zendro::JobPaths& job,
                const zendro::HeaderClock& clock, bool obsOnly, std::size_t records) {
    zendro::ConversionOptions options;
    options.obsOnly = obsOnly;
    zendro::NullObserver observer;
    for (auto _ : state) {
        zendro::ConversionResult result = zendro::runConversion(job, options, observer, clock);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(records));
    state.counters["records"] = static_cast<double>(records);
}

void decodeRecords(benchmark::State& state, std::string_view hvd) {
    const std::size_t count = hvd.size() / zendro::kObservationRecordSize;
    for (auto _ : state) {
        for (std::size_t i = 0; i < count; ++i) {
            zendro::DecodedRecord record =
                zendro::decodeRecord(hvd.substr(i * zendro::kObservationRecordSize));
            benchmark::DoNotOptimize(record);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

void formatNumbers(benchmark::State& state, const std::vector<double>& values) {
    for (auto _ : state) {
        for (double value : values) {
            std::string text = zendro::numberText(value);
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

int runBenchmarks(int argc, char** argv) {
    std::size_t points = kDefaultPoints;
    std::size_t recordsPerPoint = kDefaultRecordsPerPoint;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!takeSizeFlag(arg, "job_points", points) &&
            !takeSizeFlag(arg, "job_records_per_point", recordsPerPoint)) {
            std::cerr << "zendro-bench: unknown argument " << arg << '\n';
            return 2;
        }
    }

    const zendro::testing::TempDir folder;
    zendro::genjob::JobShape shape;
    shape.jobName = "BENCH-1";
    shape.points = points;
    shape.recordsPerPoint = recordsPerPoint;
    shape.seed = kSeed;
    const zendro::genjob::JobPlan plan = zendro::genjob::planJob(shape);
    const zendro::genjob::WrittenJob written =
        zendro::genjob::writeJob(plan, std::filesystem::path(folder.path()) / shape.jobName);
    const zendro::JobPaths job = zendro::deriveJobPaths(written.hvd.string());
    const std::size_t records = plan.observations.size();
    const zendro::HeaderClock clock = zendro::fixedHeaderClock({2024, 5, 17, 9, 30, 0});
    benchmark::AddCustomContext("job", std::to_string(plan.points.size()) + " points, " +
                                           std::to_string(plan.counts().featureEntries) +
                                           " feature entries, " + std::to_string(records) +
                                           " records");

    // The first conversion of a job writes its point-feature file; time the later ones.
    {
        zendro::ConversionOptions options;
        zendro::NullObserver observer;
        zendro::runConversion(job, options, observer, clock);
    }

    const std::string hvd = zendro::genjob::observationFileBytes(plan);
    const std::string_view micro =
        std::string_view(hvd).substr(0, kMicroRecords * zendro::kObservationRecordSize);
    std::vector<double> values;
    for (std::size_t at = 0; at + zendro::kObservationRecordSize <= micro.size();
         at += zendro::kObservationRecordSize) {
        const zendro::DecodedRecord record = zendro::decodeRecord(micro.substr(at));
        values.push_back(record.horizontal.decimalDegrees);
        values.push_back(record.zenith.decimalDegrees);
        values.push_back(record.distance);
    }

    benchmark::RegisterBenchmark("runConversion/obs_only", [&](benchmark::State& state) {
        convertJob(state, job, clock, true, records);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("runConversion/obs_and_trv", [&](benchmark::State& state) {
        convertJob(state, job, clock, false, records);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("decodeRecord", [&](benchmark::State& state) {
        decodeRecords(state, micro);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("numberText", [&](benchmark::State& state) {
        formatNumbers(state, values);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    try {
        return runBenchmarks(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "zendro-bench: " << error.what() << '\n';
        return 1;
    }
}
