// zendro-review-bench: times the review of a large made-up job against its
// conversion, and the sketch of a 30000-point job drawn whole, zoomed in and
// panned, as the window's paint events draw it.
//
//   zendro-review-bench [benchmark flags]

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <iostream>

#include "bench/converted_job.h"
#include "common/job_paths.h"
#include "common/run_observer.h"
#include "conversion/conversion_run.h"
#include "conversion/job_model_reading.h"
#include "review/job_review.h"
#include "review/sketch_model.h"
#include "review_view/sketch_renderer.h"
#include "tests/support/temp_dir.h"

namespace {

const QSize kWindow(1200, 800);

void paintSketch(benchmark::State& state, const zendro::review::SketchModel& model, double zoom,
                 bool pan) {
    const zendro::review::SketchRenderer renderer(model);
    zendro::review::SketchView view = zendro::review::SketchView::fitting(model.bounds, kWindow);
    view.zoomAbout(QPointF(kWindow.width() / 2.0, kWindow.height() / 2.0), zoom, kWindow);
    QImage image(kWindow, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        if (pan) view.panBy(QPointF(7, 3));  // a drag moves a few pixels per event
        QPainter painter(&image);
        renderer.paint(painter, kWindow, view);
    }
}

int runBenchmarks() {
    const zendro::testing::TempDir folder;
    const zendro::JobPaths large = zendro::bench::writeConvertedJob(folder, "BENCH-2", 2000, 100);
    const zendro::JobPaths wide = zendro::bench::writeConvertedJob(folder, "BENCH-3", 30000, 0);
    const zendro::ConversionOptions options;
    const zendro::review::ReviewLimits limits = zendro::review::defaultLimits(zendro::LengthUnit::UsSurveyFoot);

    const zendro::review::JobReview wideReview = zendro::review::reviewModel(zendro::readJobModel(wide, options), options, limits);
    const zendro::review::SketchModel sketch = zendro::review::buildSketch(wideReview, "S");
    benchmark::AddCustomContext("sketch", std::to_string(sketch.points.size()) + " points, " +
                                              std::to_string(sketch.chains.size()) + " chains");

    benchmark::RegisterBenchmark("conversion/2000x100", [&](benchmark::State& state) {
        zendro::NullObserver observer;
        for (auto _ : state)
            benchmark::DoNotOptimize(zendro::runConversion(large, options, observer));
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("review/2000x100", [&](benchmark::State& state) {
        for (auto _ : state) {
            benchmark::DoNotOptimize(zendro::review::reviewModel(zendro::readJobModel(large, options), options, limits));
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("sketch/30000/whole", [&](benchmark::State& state) {
        paintSketch(state, sketch, 1, false);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("sketch/30000/zoomed_x40_panning", [&](benchmark::State& state) {
        paintSketch(state, sketch, 40, true);
    })->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    try {
        return runBenchmarks();
    } catch (const std::exception& error) {
        std::cerr << "zendro-review-bench: " << error.what() << '\n';
        return 1;
    }
}
