// zendro-export-bench: times each export of a large made-up job against the
// job's conversion. The review and the positions are made once; each export
// is timed from them to the whole file's bytes, with the file's size and the
// bytes written per second of wall time (LandXML's target is a throughput).
//
//   zendro-export-bench [benchmark flags]

#include <benchmark/benchmark.h>

#include <iostream>
#include <string>

#include "bench/converted_job.h"
#include "common/job_paths.h"
#include "common/run_observer.h"
#include "conversion/conversion_run.h"
#include "conversion/job_model_reading.h"
#include "coordinates/coordinate_system.h"
#include "coordinates/local_positions.h"
#include "exports/export_bytes.h"
#include "review/job_review.h"
#include "tests/support/temp_dir.h"

namespace {
int runBenchmarks() {
    using zendro::exports::ExportFormat;
    const zendro::testing::TempDir folder;
    const zendro::JobPaths large = zendro::bench::writeConvertedJob(folder, "BENCH-2", 2000, 100);
    const zendro::ConversionOptions options;
    const zendro::review::JobReview review =
        zendro::review::reviewModel(zendro::readJobModel(large, options), options,
                                     zendro::review::defaultLimits(zendro::LengthUnit::UsSurveyFoot));
    const zendro::coordinates::JobPositions positions =
        zendro::coordinates::localPositions(review.plan);
    // KML and GeoJSON need a system to reach WGS 84; the job is in feet.
    const auto system = zendro::coordinates::CoordinateSystem::fromCode("EPSG:2227");
    const zendro::exports::ExportJob job{"BENCH-2", &options, &review, &positions, &system};
    benchmark::AddCustomContext("job", std::to_string(review.records.size()) + " records, " +
                                           std::to_string(positions.points.size()) + " points, " +
                                           std::to_string(review.meaning.chains.size()) + " chains");

    benchmark::RegisterBenchmark("conversion/2000x100", [&](benchmark::State& state) {
        zendro::NullObserver observer;
        for (auto _ : state)
            benchmark::DoNotOptimize(zendro::runConversion(large, options, observer));
    })->Unit(benchmark::kMillisecond);
    for (const ExportFormat format : {ExportFormat::Csv, ExportFormat::LandXml, ExportFormat::Dxf,
                                      ExportFormat::GeoPackage, ExportFormat::Kml,
                                      ExportFormat::GeoJson}) {
        const std::string name = "export/" + std::string(zendro::exports::formatName(format));
        benchmark::RegisterBenchmark(name.c_str(), [&job, format](benchmark::State& state) {
            std::size_t bytes = 0;
            for (auto _ : state) {
                const std::string file = zendro::exports::exportBytes(format, job);
                bytes = file.size();
                benchmark::DoNotOptimize(file.data());
            }
            // The file's size and the bytes written per second of wall time,
            // shown with decimal prefixes (M: millions).
            state.counters["size"] = benchmark::Counter(static_cast<double>(bytes));
            state.counters["written"] = benchmark::Counter(
                static_cast<double>(bytes), benchmark::Counter::kIsIterationInvariantRate);
        })->Unit(benchmark::kMillisecond)->UseRealTime();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    try {
        return runBenchmarks();
    } catch (const std::exception& error) {
        std::cerr << "zendro-export-bench: " << error.what() << '\n';
        return 1;
    }
}
