// zendro-findings-bench: times 50,000 findings loaded into the Review page's
// findings table (model, filter and view, shown) and sorted by a column, as a
// click on its header sorts it.
//
//   zendro-findings-bench [benchmark flags]

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <random>

#include "review/check_report.h"
#include "review/finding_text.h"
#include "shell/review/findings_model.h"
#include "shell/review/findings_view.h"

namespace {

using zendro::review::Finding;
using zendro::review::FindingKind;

constexpr std::size_t kFindings = 50'000;

// Findings shaped as a large job's: mostly measured checks over their limits,
// some code findings without a record or a measure.
std::vector<Finding> madeUpFindings() {
    std::mt19937 random(12);
    std::uniform_real_distribution<double> difference(-0.2, 0.2);
    std::vector<Finding> findings;
    findings.reserve(kFindings);
    for (std::size_t i = 0; i < kFindings; ++i) {
        const auto point = static_cast<std::int64_t>(1000 + random() % 20000);
        const double measured = difference(random);
        if (i % 7 == 6) {
            findings.push_back(zendro::review::noticeFinding(
                FindingKind::NeverObserved, std::nullopt, point,
                "entry " + std::to_string(i) + " of the point-feature file is never observed",
                ": ", "check its point number or blank the row"));
            continue;
        }
        const auto kind = i % 3 == 0 ? FindingKind::Backsight : FindingKind::CheckShot;
        const std::string shown = zendro::review::decimals(measured, 3);
        findings.push_back(zendro::review::measuredFinding(
            kind, i, point, std::abs(measured) > 0.05, "check: " + shown + "; limit 0.050",
            {std::abs(measured), shown + ", elevation 0.000"}, {0.05, "0.050, elevation 0.050"},
            "re-shoot the point and check both setups"));
    }
    return findings;
}

void loadFindings(benchmark::State& state, const std::vector<Finding>& findings) {
    zendro::FindingsView view;
    view.resize(900, 600);
    view.show();
    for (auto _ : state) {
        view.setFindings(findings);
        QCoreApplication::processEvents();  // the view lays out and paints what it shows
    }
}

void sortFindings(benchmark::State& state, const std::vector<Finding>& findings, int column) {
    zendro::FindingsView view;
    view.resize(900, 600);
    view.show();
    view.setFindings(findings);
    QCoreApplication::processEvents();
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        view.table().sortByColumn(column, order);
        QCoreApplication::processEvents();
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    const std::vector<Finding> findings = madeUpFindings();
    benchmark::RegisterBenchmark("findings/50000/load", [&](benchmark::State& state) {
        loadFindings(state, findings);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("findings/50000/sort_measured", [&](benchmark::State& state) {
        sortFindings(state, findings, zendro::FindingsModel::Measured);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("findings/50000/sort_advice", [&](benchmark::State& state) {
        sortFindings(state, findings, zendro::FindingsModel::Advice);
    })->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
