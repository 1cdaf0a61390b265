// zendro-adjustment-bench: times the least-squares adjustment and the compass
// rule of the benchmark job (zendro-genjob --points 2000 --records-per-point
// 100 --seed 1, about 200,000 records), reviewed once beforehand, and notes
// the process's peak memory before and after the adjustments ran.
//
//   zendro-adjustment-bench [benchmark flags]

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "adjustment/compass_traverse.h"
#include "adjustment/network_adjustment.h"
#include "bench/converted_job.h"
#include "common/job_paths.h"
#include "conversion/job_model_reading.h"
#include "coordinates/local_positions.h"
#include "review/job_review.h"
#include "tests/support/temp_dir.h"

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    const zendro::testing::TempDir folder;
    const zendro::JobPaths job = zendro::bench::writeConvertedJob(folder, "BENCH", 2000, 100);
    const zendro::review::ReviewLimits limits = zendro::review::defaultLimits(zendro::LengthUnit::UsSurveyFoot);
    const zendro::review::JobReview review =
        zendro::review::reviewModel(zendro::readJobModel(job, zendro::ConversionOptions{}),
                                     zendro::ConversionOptions{}, limits);
    const zendro::coordinates::JobPositions local = zendro::coordinates::localPositions(review.plan);
    zendro::adjustment::AdjustmentInput input;
    input.records = &review.records;
    input.points = &review.points;
    input.approximate = &local;
    input.sigmas = zendro::adjustment::defaultSigmas(zendro::LengthUnit::UsSurveyFoot);
    input.limits = limits;

    const long reviewedPeak = peakKilobytes();
    const zendro::adjustment::AdjustmentResult once = zendro::adjustment::adjustNetwork(input);
    const long adjustedPeak = peakKilobytes();
    benchmark::AddCustomContext(
        "job", std::to_string(review.records.size()) + " records, " +
                   std::to_string(once.horizontal.observations) + " horizontal and " +
                   std::to_string(once.vertical.observations) + " vertical observations, " +
                   std::to_string(once.horizontal.unknowns) + " + " +
                   std::to_string(once.vertical.unknowns) + " unknowns, " +
                   std::to_string(once.iterations) + " iterations, variance factor " +
                   std::to_string(once.varianceFactor) + ", " +
                   std::to_string(once.notChecked.size()) + " not checked, " +
                   std::to_string(once.notDetermined.size()) + " not determined" +
                   (once.blunder ? ", blunder: " + once.blunder->advice : ""));

    benchmark::RegisterBenchmark("adjustment/2000x100", [&](benchmark::State& state) {
        for (auto _ : state) benchmark::DoNotOptimize(zendro::adjustment::adjustNetwork(input));
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("compass/2000x100", [&](benchmark::State& state) {
        for (auto _ : state) {
            benchmark::DoNotOptimize(zendro::adjustment::compassTraverses(
                review.records, review.points, review.plan, local, {}, limits));
        }
    })->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // ru_maxrss is the whole process's: the job and its review, then one
    // adjustment kept, then the timed runs.
    std::printf("peak memory: %ld MB reviewed, %ld MB after one adjustment, %ld MB after all\n",
                reviewedPeak / 1024, adjustedPeak / 1024, peakKilobytes() / 1024);
    return 0;
}
