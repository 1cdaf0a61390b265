#include "levels/level_report.h"

#include <algorithm>
#include <cmath>

#include "common/line_writer.h"
#include "exports/utf8_text.h"
#include "levels/level_checks.h"
#include "review/limit_table.h"

namespace zendro::levels {
namespace {

std::string right(std::string text, std::size_t width) {
    return text.size() >= width ? " " + text : std::string(width - text.size(), ' ') + text;
}

std::string left(std::string text, std::size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string orNone(const std::string& point) { return point.empty() ? "-" : point; }

std::string addressText(Source source) {
    return source.address != 0 ? std::to_string(source.address)
                               : "line " + std::to_string(source.fileLine);
}

std::string ratioText(double value) { return review::decimals(value, 2); }

std::string blunderText(const Section& section, double limit) {
    if (section.line == nullptr)
        return "the control file's height of " + section.to + ", standardized residual " +
               ratioText(*section.standardized) + " above " + ratioText(limit) +
               ": check the benchmark's height and the lines that reach it";
    const LevelLine& line = *section.line->line;
    return line.file + " line " + std::to_string(line.number) + " from " + orNone(section.from) +
           " to " + orNone(section.to) + " (Adr " + addressText(section.first) + " to " +
           addressText(section.last) + "), standardized residual " +
           ratioText(*section.standardized) + " above " + ratioText(limit) +
           ": re-run this section";
}

class ReportWriter {
  public:
    ReportWriter(const LevelRunResult& result, std::string& out)
        : result_(result), forms_(result.forms), w_(out) {}

    void write() {
        header();
        for (const ReducedLine& line : result_.lines) book(line);
        findings();
        adjustment();
    }

  private:
    void line(const std::string& text) { w_.text(text).endLine(); }

    void header() {
        line("ZENDRO level run report");
        std::string files;
        for (const std::string& file : result_.files) files += (files.empty() ? "" : ", ") + file;
        line("Files: " + files);
        line("Unit: " + std::string(unitName(forms_.unit)));
        line("Control: " + (result_.controlPath.empty()
                                ? std::string("none")
                                : result_.controlPath + " (" +
                                      std::to_string(result_.benchmarkCount) + " heights)"));
        line("A priori: " + review::decimals(result_.settings.sigmaKm, 2) +
             " mm per km of double-run levelling, sections weighted by " +
             (result_.settings.weighting == LevelWeighting::Length ? "length" : "setups"));
        line("Limits used (conservative third-order practice unless given):");
        for (const review::LimitDefinition& limit : review::limitTable(review::LimitGroup::Level))
            line("  " + std::string(limit.label) + ": " +
                 review::limitText(limit, result_.limits.*limit.levelField, forms_.unit));
        w_.endLine();
    }

    void book(const ReducedLine& reduced) {
        const LevelLine& level = *reduced.line;
        const char* from = reduced.startFrom == StartFrom::Benchmark ? "control file"
                           : reduced.startFrom == StartFrom::File    ? "the level"
                                                                     : "none: from 0";
        line("Line " + std::to_string(level.number) + " (" + level.file + ", " +
             std::string(m5::methodName(level.method)) + "): " + orNone(level.startPoint) + " to " +
             orNone(level.endPoint()) + ", start height " + forms_.height(reduced.startHeight) +
             " (" + from + ")");
        w_.text(right("Setup", 5))
            .text(right("Back", 9))
            .text(right("Fore", 9))
            .text(right("Backsight", 11))
            .text(right("Foresight", 11))
            .text(right("Dist b", 9))
            .text(right("Dist f", 9))
            .text(right("Difference", 12))
            .text(right("Height", 12))
            .text(right("Imbalance", 10))
            .text(right("Adr", 7))
            .endLine();
        for (std::size_t i = 0; i < reduced.rows.size(); ++i) {
            const BookRow& row = reduced.rows[i];
            const auto distance = [&](const std::optional<double>& d) {
                return d ? forms_.distance(*d) : std::string("-");
            };
            w_.text(right(std::to_string(i + 1), 5))
                .text(right(orNone(row.backPoint), 9))
                .text(right(orNone(row.forePoint), 9))
                .text(right(forms_.height(row.back), 11))
                .text(right(forms_.height(row.fore), 11))
                .text(right(distance(row.backDistance), 9))
                .text(right(distance(row.foreDistance), 9))
                .text(right(forms_.height(row.difference), 12))
                .text(right(forms_.height(row.height), 12))
                .text(right(forms_.distance(row.imbalance), 10))
                .text(right(addressText(row.source), 7))
                .endLine();
            for (const IntermediateRow& sight : reduced.intermediates) {
                if (sight.setup != i) continue;
                w_.text(right("", 5))
                    .text(right("sight", 9))
                    .text(right(orNone(sight.point), 9))
                    .text(right("", 11))
                    .text(right(forms_.height(sight.reading), 11))
                    .text(right("", 9))
                    .text(right(sight.distance ? forms_.distance(*sight.distance) : "-", 9))
                    .text(right("", 12))
                    .text(right(forms_.height(sight.height), 12))
                    .text(right("", 10))
                    .text(right(addressText(sight.source), 7))
                    .endLine();
            }
        }
        const double gained = reduced.endHeight - reduced.startHeight;
        line("Sums: backsights " + forms_.height(reduced.sumBack) + ", foresights " +
             forms_.height(reduced.sumFore) + ", difference " +
             forms_.height(reduced.sumBack - reduced.sumFore) + "; height gained " +
             forms_.height(gained) +
             (reduced.arithmeticHolds ? " (arithmetic check holds)" : " (ARITHMETIC CHECK FAILS)"));
        line("Sight lengths: back " + forms_.distance(reduced.backLength) + ", fore " +
             forms_.distance(reduced.foreLength) + ", line " +
             forms_.distanceWithUnit(reduced.length()));
        line("Closure: " + closureText(reduced));
        w_.endLine();
    }

    std::string closureText(const ReducedLine& reduced) const {
        const LineClosure& closure = reduced.closure;
        if (closure.kind == ClosureKind::Open) return "open line, no benchmark at both ends";
        return std::string(closure.kind == ClosureKind::Loop ? "loop" : "between benchmarks") +
               ", misclosure " + forms_.heightWithUnit(closure.misclosure) + ", allowance " +
               forms_.heightWithUnit(closure.allowance) + (closure.over ? ": OVER LIMIT" : ": within");
    }

    void findings() {
        line("Findings:");
        if (result_.findings.empty()) line("  none");
        for (const LevelFinding& finding : result_.findings) line("  " + finding.text());
        line(std::to_string(result_.tally.measured) + " measured checks, " +
             std::to_string(result_.tally.over) + " over their limits");
        w_.endLine();
    }

    void adjustment() {
        const NetworkResult& network = result_.network;
        line("Adjustment of the level network:");
        if (!network.adjusted) {
            line(network.failure.empty() ? "  nothing to adjust: no line with a setup"
                                         : "  not adjusted: " + network.failure);
            return;
        }
        for (const std::string& line : levelSummaryLines(result_)) this->line("  " + line);
        w_.text(left("Point", 12))
            .text(right("Height", 12))
            .text(right("SD", 10))
            .text("  Source")
            .endLine();
        for (const AdjustedHeight& height : network.heights)
            w_.text(left(height.point, 12))
                .text(right(forms_.height(height.height), 12))
                .text(right(forms_.height(height.sd), 10))
                .text("  " + std::string(heightSourceName(height.source)))
                .endLine();
        w_.endLine();
        w_.text(left("Section", 24))
            .text(left("Line", 18))
            .text(right("Length", 10))
            .text(right("Setups", 7))
            .text(right("Observed", 12))
            .text(right("Residual", 10))
            .text(right("Std res", 8))
            .text("  Adr")
            .endLine();
        for (const Section& section : network.sections) {
            const std::string name = section.line == nullptr
                                         ? "height of " + section.to
                                         : orNone(section.from) + " to " + orNone(section.to);
            const std::string where =
                section.line == nullptr
                    ? "control"
                    : section.line->line->file + " " + std::to_string(section.line->line->number);
            w_.text(left(name, 24))
                .text(left(where, 18))
                .text(right(section.line == nullptr ? "" : forms_.distance(section.length), 10))
                .text(right(section.line == nullptr ? "" : std::to_string(section.setups), 7))
                .text(right(forms_.height(section.rise), 12))
                .text(right(forms_.height(section.residual), 10))
                .text(right(section.standardized ? ratioText(*section.standardized) : "-", 8))
                .text(section.line == nullptr ? "" : "  " + addressText(section.first) + "-" +
                                                         addressText(section.last))
                .endLine();
        }
    }

  private:
    const LevelRunResult& result_;
    const LevelForms& forms_;
    LineWriter w_;
};

}  // namespace

std::vector<std::string> levelSummaryLines(const LevelRunResult& result) {
    const NetworkResult& network = result.network;
    std::vector<std::string> lines;
    lines.push_back(std::to_string(network.sections.size()) + " observations, " +
                    std::to_string(network.unknowns) + " unknown heights, " +
                    std::to_string(network.degreesOfFreedom) + " degrees of freedom");
    if (network.bounds) {
        lines.push_back("variance factor " + ratioText(network.varianceFactor) +
                        "; chi-square test at 95%: " +
                        review::decimals(network.sumOfSquares, 2) + " in [" +
                        review::decimals(network.bounds->lower, 2) + ", " +
                        review::decimals(network.bounds->upper, 2) + "]: " +
                        (network.testPassed ? "passed"
                         : network.sumOfSquares > network.bounds->upper
                             ? "FAILED above (the readings are worse than the a priori "
                               "deviation, or a blunder)"
                             : "FAILED below (the a priori deviation is too pessimistic)"));
    } else {
        lines.push_back("no redundancy: nothing checks the lines against each other");
    }
    if (!network.datum.empty()) {
        std::string datum;
        for (const std::string& point : network.datum) datum += (datum.empty() ? "" : ", ") + point;
        lines.push_back("no benchmark in its part of the network: held at the level's start "
                        "height: " + datum);
    }
    if (network.blunder) {
        const Section& section = network.sections[*network.blunder];
        lines.push_back("BLUNDER: " + blunderText(section, result.settings.blunderLimit));
    } else {
        lines.push_back("no standardized residual above " +
                        ratioText(result.settings.blunderLimit) + ": no blunder named");
    }
    return lines;
}

std::string_view heightSourceName(HeightSource source) {
    switch (source) {
        case HeightSource::HeldBenchmark: return "benchmark held";
        case HeightSource::WeightedBenchmark: return "benchmark weighted";
        case HeightSource::Adjusted: return "adjusted";
        case HeightSource::Datum: return "held at the level's start height";
        case HeightSource::TurningPoint: return "turning point";
        case HeightSource::Intermediate: return "intermediate sight";
    }
    return "";
}

std::string levelReportText(const LevelRunResult& result) {
    std::string out;
    ReportWriter(result, out).write();
    return out;
}

std::string levelConsoleText(const LevelRunResult& result) {
    std::string out;
    for (const LevelFinding& finding : result.findings)
        if (finding.over || (finding.check == LevelCheck::Closure && finding.measured))
            out += finding.text() + "\n";
    out += std::to_string(result.lines.size()) + " lines, " + std::to_string(result.tally.measured) +
           " measured checks, " + std::to_string(result.tally.over) + " over their limits\n";
    if (result.network.adjusted)
        for (const std::string& line : levelSummaryLines(result))
            out += "adjustment: " + line + "\n";
    return out;
}

std::string levelCsvBytes(const LevelRunResult& result) {
    const std::string unit(namesOf(result.forms.unit).qualified);
    std::string out = "Point,Height (" + unit + "),Standard deviation (" + unit + "),Source\r\n";
    for (const AdjustedHeight& height : result.network.heights) {
        // A point id quoted when it holds what CSV keeps text whole with.
        const std::string point = exports::utf8Of(height.point);
        if (point.find_first_of(",\"\r\n") != std::string::npos) {
            out += '"';
            for (const char c : point) out += c == '"' ? std::string("\"\"") : std::string(1, c);
            out += '"';
        } else {
            out += point;
        }
        out += "," + result.forms.height(height.height) + "," + result.forms.height(height.sd) + "," +
               std::string(heightSourceName(height.source)) + "\r\n";
    }
    return out;
}

}  // namespace zendro::levels
