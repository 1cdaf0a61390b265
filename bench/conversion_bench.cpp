// zendro-bench: times whole conversions of a large made-up job from memory,
// the chain section of 20,000 single-entry chains, and the two hottest helpers
// of the record loop. (scripts/bench.sh times the program on disk.)
//
//   zendro-bench [--job_points=N] [--job_records_per_point=N] [benchmark flags]
//
// The job is made in memory and converted once so that its point-feature file
// exists; the timed conversions read that file, as every later run does.

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
#include "conversion/decoding.h"
#include "conversion/header_clock.h"
#include "conversion/job_conversion.h"
#include "features/chain_list.h"
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

// Counts the bytes it is given and keeps none.
class CountingSink final : public zendro::ByteSink {
  public:
    std::size_t count = 0;

  protected:
    void overflow(std::string_view bytes) override { count += bytes.size(); }
};

void convertJob(benchmark::State& state, const zendro::JobPaths& job, const zendro::JobBytes& bytes,
                const zendro::HeaderClock& clock, bool obsOnly, std::size_t records) {
    zendro::ConversionOptions options;
    options.obsOnly = obsOnly;
    zendro::NullObserver observer;
    for (auto _ : state) {
        CountingSink obs;
        CountingSink trv;
        zendro::JobConversion result =
            zendro::convertJob(job, bytes, options, {obs, &trv}, observer, clock);
        benchmark::DoNotOptimize(result);
        state.counters["output_bytes"] = static_cast<double>(obs.count + trv.count);
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
            zendro::FormattedNumber text = zendro::numberText(value);
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

    zendro::genjob::JobShape shape;
    shape.jobName = "BENCH-1";
    shape.points = points;
    shape.recordsPerPoint = recordsPerPoint;
    shape.seed = kSeed;
    const zendro::genjob::JobPlan plan = zendro::genjob::planJob(shape);
    const zendro::JobPaths job = zendro::deriveJobPaths(shape.jobName + ".HVD");
    const std::size_t records = plan.observations.size();
    const zendro::HeaderClock clock = zendro::fixedHeaderClock({2024, 5, 17, 9, 30, 0});
    benchmark::AddCustomContext("job", std::to_string(plan.points.size()) + " points, " +
                                           std::to_string(plan.counts().featureEntries) +
                                           " feature entries, " + std::to_string(records) +
                                           " records");

    const std::string hvd = zendro::genjob::observationFileBytes(plan);
    const std::string rtx = zendro::genjob::notesFileBytes(plan);
    // The first conversion of a job makes its point-feature file; time the later ones.
    std::string pf;
    {
        CountingSink obs;
        zendro::NullObserver observer;
        pf = *zendro::convertJob(
                  job, {hvd, rtx, std::nullopt, zendro::genjob::descriptionFileBytes(plan)},
                  zendro::ConversionOptions{}, {obs}, observer, clock)
                  .newPointFeatureFile;
    }
    const zendro::JobBytes bytes{hvd, rtx, pf, std::nullopt};
    std::string chainStarts;
    for (int i = 1; i <= 20000; ++i) {
        chainStarts += " " + std::to_string(i) + " ,+F" + std::to_string(i) + ", \r\n";
    }
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

    benchmark::RegisterBenchmark("convertJob/obs_only", [&](benchmark::State& state) {
        convertJob(state, job, bytes, clock, true, records);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("convertJob/obs_and_trv", [&](benchmark::State& state) {
        convertJob(state, job, bytes, clock, false, records);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("buildChainLists/20000_starts", [&](benchmark::State& state) {
        for (auto _ : state) {
            std::vector<zendro::ChainList> chains =
                zendro::buildChainLists(chainStarts, zendro::ConversionOptions{});
            benchmark::DoNotOptimize(chains);
        }
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
