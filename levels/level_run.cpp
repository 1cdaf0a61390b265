#include "levels/level_run.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/output_files.h"
#include "levels/level_checks.h"
#include "levels/level_lines.h"
#include "levels/level_report.h"
#include "levels/m5_reader.h"
#include "review/limit_table.h"
#include "review/report_header.h"

namespace zendro::levels {
namespace {

Benchmarks benchmarksOf(const std::vector<coordinates::ControlPoint>& control) {
    Benchmarks benchmarks;
    for (const coordinates::ControlPoint& point : control) {
        Benchmark benchmark;
        benchmark.name = point.name.empty() ? std::to_string(point.number) : point.name;
        benchmark.height = point.elevation;
        if (point.hold == coordinates::ControlHold::Weighted)
            benchmark.sigma = point.sigmaElevation;
        benchmark.controlLine = point.line;
        benchmarks.emplace(benchmark.name, benchmark);
    }
    return benchmarks;
}

review::LevelLimits limitsOf(const LevelRunOptions& options, LengthUnit unit) {
    review::LevelLimits limits = review::defaultLevelLimits(unit);
    const auto table = review::limitTable(review::LimitGroup::Level);
    for (std::size_t i = 0; i < table.size() && i < options.givenLimits.size(); ++i)
        if (options.givenLimits[i]) limits.*table[i].levelField = *options.givenLimits[i];
    return limits;
}

// The adjustment's verdicts as findings, so that --strict and the lists see them.
void networkFindings(LevelRunResult& result) {
    const NetworkResult& network = result.network;
    if (!network.failure.empty()) {
        LevelFinding finding;
        finding.check = LevelCheck::VarianceTest;
        finding.over = true;
        finding.what = "not adjusted: " + network.failure;
        result.findings.push_back(std::move(finding));
        return;
    }
    // A variance test failed low is no check over its limit (see below).
    const bool failedAbove =
        network.bounds && !network.testPassed && network.sumOfSquares > network.bounds->upper;
    if (network.adjusted && network.degreesOfFreedom > 0) {
        result.tally.measured += 2;  // the blunder's and the variance factor's tests
        result.tally.over += (network.blunder ? 1u : 0u) + (failedAbove ? 1u : 0u);
    }
    if (network.blunder) {
        const Section& section = network.sections[*network.blunder];
        LevelFinding finding;
        finding.check = LevelCheck::Blunder;
        finding.measured = true;
        finding.over = true;
        if (section.line != nullptr) {
            finding.file = section.line->line->file;
            finding.line = section.line->line->number;
            finding.address = section.first.address;
            finding.fileLine = section.first.fileLine;
            finding.point = section.from;
            finding.what = "section from " + (section.from.empty() ? "-" : section.from) + " to " +
                           (section.to.empty() ? "-" : section.to) + " (Adr " +
                           std::to_string(section.first.address) + " to " +
                           std::to_string(section.last.address) + ")";
            finding.advice =
                "a blunder: re-run this section (one blunder hides others: adjust "
                "again after the fix)";
        } else {
            finding.what = "the control file's height of " + section.to;
            finding.advice = "a blunder: check the benchmark's height and the lines that reach it";
        }
        finding.value = {*section.standardized, review::decimals(*section.standardized, 2)};
        finding.limit = {result.limits.blunderResidual,
                         review::decimals(result.limits.blunderResidual, 2)};
        finding.what += ": standardized residual " + review::decimals(*section.standardized, 2) +
                        "; " +
                        levelLimitText(&review::LevelLimits::blunderResidual,
                                       result.limits.blunderResidual, result.forms.unit);
        result.findings.push_back(std::move(finding));
    }
    if (network.bounds && !network.testPassed) {
        LevelFinding finding;
        finding.check = LevelCheck::VarianceTest;
        const bool above = failedAbove;
        // A level better than its stated accuracy is nothing to re-measure.
        finding.over = above;
        finding.what = "variance factor " + review::decimals(network.varianceFactor, 2) +
                       ": the chi-square test at 95% fails " + (above ? "above" : "below");
        finding.advice =
            above ? "the readings are worse than --sigma-km says: look for a blunder, "
                    "check the level and the sigma given"
                  : "--sigma-km is too pessimistic for this level; nothing to re-measure";
        result.findings.push_back(std::move(finding));
    }
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) return true;
    return std::filesystem::weakly_canonical(a, error) ==
           std::filesystem::weakly_canonical(b, error);
}

}  // namespace

bool LevelRunResult::overLimit() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const LevelFinding& finding) { return finding.over; });
}

bool LevelRunResult::strictFailure() const {
    return overLimit() || (network.bounds && !network.testPassed);
}

LevelRunResult runLevels(const std::vector<LevelInput>& files,
                         const std::vector<coordinates::ControlPoint>& control,
                         const LevelRunOptions& options) {
    LevelRunResult result;
    result.controlPath = options.controlPath;
    result.benchmarkCount = control.size();
    std::vector<M5File> read;
    read.reserve(files.size());
    for (const LevelInput& input : files) {
        result.files.push_back(input.path);
        read.push_back(readM5(input.path, input.bytes));
    }
    LengthUnit unit = options.unit.value_or(LengthUnit::Metre);
    if (!options.unit) {
        for (const M5File& file : read) {
            if (!file.unit) continue;
            unit = *file.unit == M5Unit::Metre ? LengthUnit::Metre : options.foot;
            break;
        }
    }
    result.forms = LevelForms::of(unit);
    result.limits = limitsOf(options, unit);
    result.settings = {unit, options.sigmaKm, options.weighting, result.limits.blunderResidual};
    const Benchmarks benchmarks = benchmarksOf(control);
    const UnitConversion units{unit, options.foot};

    for (M5File& file : read) {
        std::move(file.findings.begin(), file.findings.end(), std::back_inserter(result.findings));
        for (LevelLine& line : levelLines(file, units, result.findings))
            result.levelLines.push_back(std::move(line));
    }
    // The lines are all in place: the reduced ones point into them.
    result.lines.reserve(result.levelLines.size());
    for (const LevelLine& line : result.levelLines) {
        ReducedLine reduced =
            reduceLine(line, benchmarks, result.forms, result.findings, result.tally);
        checkLine(reduced, benchmarks, result.limits, result.forms, result.findings, result.tally);
        result.lines.push_back(std::move(reduced));
    }
    result.network = adjustNetwork(result.lines, benchmarks, result.settings);
    // Each file's findings in its order, the network's last.
    std::unordered_map<std::string, std::size_t> order;
    for (std::size_t i = 0; i < files.size(); ++i) order.emplace(files[i].path, i);
    std::stable_sort(result.findings.begin(), result.findings.end(),
                     [&](const LevelFinding& a, const LevelFinding& b) {
                         return std::pair(order.at(a.file), a.fileLine) <
                                std::pair(order.at(b.file), b.fileLine);
                     });
    networkFindings(result);
    return result;
}

LevelRunResult LevelRun::run() const {
    std::vector<LevelInput> inputs;
    for (const std::string& path : options_.files) inputs.push_back({path, readFileBytes(path)});
    std::vector<coordinates::ControlPoint> control;
    if (!options_.controlPath.empty())
        control =
            coordinates::readControlFile(options_.controlPath, readFileBytes(options_.controlPath));
    return runLevels(inputs, control, options_);
}

void LevelRun::writeOutputs(const LevelRunResult& result, const LevelReportPdf& pdf) const {
    std::vector<std::pair<std::string, std::string>> outputs;
    if (!options_.reportPath.empty()) {
        const std::string& path = options_.reportPath;
        if (!review::isPdfReportName(path)) {
            outputs.emplace_back(path, levelReportText(result));
        } else if (!pdf) {
            throw ZendroError(path, "no PDF can be drawn here: write the report as .txt");
        } else {
            outputs.emplace_back(path, pdf(levelReport(result), path));
        }
    }
    if (!options_.csvPath.empty()) outputs.emplace_back(options_.csvPath, levelCsvBytes(result));
    if (outputs.empty()) return;
    std::vector<std::string> inputs = options_.files;
    if (!options_.controlPath.empty()) inputs.push_back(options_.controlPath);
    for (const auto& [path, bytes] : outputs)
        for (const std::string& input : inputs)
            if (sameFile(path, input))
                throw ZendroError(path, "is an input of the run: name another file to write");
    if (outputs.size() == 2 && sameFile(outputs[0].first, outputs[1].first))
        throw ZendroError(outputs[1].first, "is named for both the report and the CSV");
    OutputFiles files;
    for (const auto& [path, bytes] : outputs) files.add(path).write(bytes);
    files.commit();
}

}  // namespace zendro::levels
