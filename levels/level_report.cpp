#include "levels/level_report.h"

#include <algorithm>
#include <cmath>

#include "exports/utf8_text.h"
#include "levels/level_checks.h"
#include "review/limit_table.h"

namespace zendro::levels {
namespace {

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

using review::CellAlign;
using review::ReportColumn;
using review::ReportRow;
using review::ReportTable;

constexpr std::string_view kLineEnd = "\r\n";

std::string distanceOr(const LevelForms& forms, const std::optional<double>& d) {
    return d ? forms.distance(*d) : std::string("-");
}

std::string closureText(const ReducedLine& reduced, const LevelForms& forms) {
    const LineClosure& closure = reduced.closure;
    if (closure.kind == ClosureKind::Open) return "open line, no benchmark at both ends";
    return std::string(closure.kind == ClosureKind::Loop ? "loop" : "between benchmarks") +
           ", misclosure " + forms.heightWithUnit(closure.misclosure) + ", allowance " +
           forms.heightWithUnit(closure.allowance) + (closure.over ? ": OVER LIMIT" : ": within");
}

ReportTable book(const LevelRunResult& result, std::size_t index) {
    const ReducedLine& reduced = result.lines[index];
    const LevelForms& forms = result.forms;
    const LevelLine& level = *reduced.line;
    const char* from = reduced.startFrom == StartFrom::Benchmark ? "control file"
                       : reduced.startFrom == StartFrom::File    ? "the level"
                                                                 : "none: from 0";
    ReportTable table;
    table.title = "Line " + std::to_string(level.number) + " (" + level.file + ", " +
                  std::string(m5::methodName(level.method)) + "): " + orNone(level.startPoint) +
                  " to " + orNone(level.endPoint()) + ", start height " +
                  forms.height(reduced.startHeight) + " (" + from + ")";
    table.columns = {
        {"Setup", CellAlign::Right, 5, 0.06},     {"Back", CellAlign::Right, 9, 0.09},
        {"Fore", CellAlign::Right, 9, 0.09},      {"Backsight", CellAlign::Right, 11, 0.1},
        {"Foresight", CellAlign::Right, 11, 0.1}, {"Dist b", CellAlign::Right, 9, 0.08},
        {"Dist f", CellAlign::Right, 9, 0.08},    {"Difference", CellAlign::Right, 12, 0.11},
        {"Height", CellAlign::Right, 12, 0.11},   {"Imbalance", CellAlign::Right, 10, 0.1},
        {"Adr", CellAlign::Right, 7, 0.08}};
    const std::vector<bool> over = setupsOverLimit(result, index);
    for (std::size_t i = 0; i < reduced.rows.size(); ++i) {
        const BookRow& row = reduced.rows[i];
        table.rows.push_back(
            {{std::to_string(i + 1), orNone(row.backPoint), orNone(row.forePoint),
              forms.height(row.back), forms.height(row.fore), distanceOr(forms, row.backDistance),
              distanceOr(forms, row.foreDistance), forms.height(row.difference),
              forms.height(row.height), forms.distance(row.imbalance), addressText(row.source)},
             over[i]});
        for (const IntermediateRow& sight : reduced.intermediates) {
            if (sight.setup != i) continue;
            table.rows.push_back(
                {{"", "sight", orNone(sight.point), "", forms.height(sight.reading), "",
                  distanceOr(forms, sight.distance), "", forms.height(sight.height), "",
                  addressText(sight.source)},
                 false});
        }
    }
    const double gained = reduced.endHeight - reduced.startHeight;
    table.after = {
        "Sums: backsights " + forms.height(reduced.sumBack) + ", foresights " +
            forms.height(reduced.sumFore) + ", difference " +
            forms.height(reduced.sumBack - reduced.sumFore) + "; height gained " +
            forms.height(gained) +
            (reduced.arithmeticHolds ? " (arithmetic check holds)" : " (ARITHMETIC CHECK FAILS)"),
        "Sight lengths: back " + forms.distance(reduced.backLength) + ", fore " +
            forms.distance(reduced.foreLength) + ", line " +
            forms.distanceWithUnit(reduced.length()),
        "Closure: " + closureText(reduced, forms)};
    return table;
}

ReportTable heightsTable(const LevelRunResult& result) {
    const LevelForms& forms = result.forms;
    ReportTable table;
    table.title = "Adjusted heights";
    table.columns = {{"Point", CellAlign::Left, 12, 0.25},
                     {"Height", CellAlign::Right, 12, 0.2},
                     {"SD", CellAlign::Right, 10, 0.15},
                     {"Source", CellAlign::Trailing, 0, 0.4}};
    for (const AdjustedHeight& height : result.network.heights)
        table.rows.push_back({{height.point, forms.height(height.height), forms.height(height.sd),
                               std::string(heightSourceName(height.source))},
                              false});
    return table;
}

ReportTable sectionsTable(const LevelRunResult& result) {
    const LevelForms& forms = result.forms;
    const NetworkResult& network = result.network;
    ReportTable table;
    table.title = "Sections";
    table.columns = {
        {"Section", CellAlign::Left, 24, 0.2},    {"Line", CellAlign::Left, 18, 0.16},
        {"Length", CellAlign::Right, 10, 0.1},    {"Setups", CellAlign::Right, 7, 0.08},
        {"Observed", CellAlign::Right, 12, 0.12}, {"Residual", CellAlign::Right, 10, 0.11},
        {"Std res", CellAlign::Right, 8, 0.09},   {"Adr", CellAlign::Trailing, 0, 0.14}};
    for (std::size_t i = 0; i < network.sections.size(); ++i) {
        const Section& section = network.sections[i];
        const bool control = section.line == nullptr;
        table.rows.push_back(
            {{control ? "height of " + section.to
                      : orNone(section.from) + " to " + orNone(section.to),
              control ? "control"
                      : section.line->line->file + " " + std::to_string(section.line->line->number),
              control ? "" : forms.distance(section.length),
              control ? "" : std::to_string(section.setups), forms.height(section.rise),
              forms.height(section.residual),
              section.standardized ? ratioText(*section.standardized) : "-",
              control ? "" : addressText(section.first) + "-" + addressText(section.last)},
             network.blunder == i});
    }
    return table;
}

// The text as the report file holds it.
class ReportText {
  public:
    explicit ReportText(std::string& out) : out_(out) {}

    void write(const LevelReport& report) {
        line(report.title);
        for (const review::HeaderLine& header : report.header)
            line(header.label + ": " + header.value);
        line("Limits used (conservative third-order practice unless given):");
        for (const review::HeaderLine& limit : report.limits)
            line("  " + limit.label + ": " + limit.value);
        line("");
        for (const ReportTable& book : report.books) {
            out_ += review::titledTableText(book, kLineEnd);
            line("");
        }
        line("Findings:");
        if (report.findings.empty()) line("  none");
        for (const ReportRow& finding : report.findings) line("  " + finding.cells.front());
        line(report.tally);
        line("");
        line("Adjustment of the level network:");
        for (const std::string& summary : report.adjustment) line("  " + summary);
        if (!report.adjusted) return;
        out_ += review::tableText(report.heights, kLineEnd);
        line("");
        out_ += review::tableText(report.sections, kLineEnd);
    }

  private:
    void line(const std::string& text) { out_.append(text).append(kLineEnd); }

    std::string& out_;
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
                        "; chi-square test at 95%: " + review::decimals(network.sumOfSquares, 2) +
                        " in [" + review::decimals(network.bounds->lower, 2) + ", " +
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
        lines.push_back(
            "no benchmark in its part of the network: held at the level's start "
            "height: " +
            datum);
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
        case HeightSource::HeldBenchmark:
            return "benchmark held";
        case HeightSource::WeightedBenchmark:
            return "benchmark weighted";
        case HeightSource::Adjusted:
            return "adjusted";
        case HeightSource::Datum:
            return "held at the level's start height";
        case HeightSource::TurningPoint:
            return "turning point";
        case HeightSource::Intermediate:
            return "intermediate sight";
    }
    return "";
}

std::vector<bool> setupsOverLimit(const LevelRunResult& result, std::size_t line) {
    const ReducedLine& reduced = result.lines[line];
    const LevelLine& level = *reduced.line;
    std::vector<bool> over(reduced.rows.size(), false);
    for (const LevelFinding& finding : result.findings) {
        const bool ofASetup = finding.check == LevelCheck::SetupImbalance ||
                              finding.check == LevelCheck::LongestSight ||
                              finding.check == LevelCheck::LowestReading ||
                              finding.check == LevelCheck::DoubleDifference ||
                              finding.check == LevelCheck::MarkedReadings;
        if (!finding.over || !ofASetup || finding.file != level.file ||
            finding.line != level.number)
            continue;
        // The setup whose readings the finding's file line falls among.
        for (std::size_t i = reduced.rows.size(); i-- > 0;) {
            if (reduced.rows[i].source.fileLine <= finding.fileLine) {
                over[i] = true;
                break;
            }
        }
    }
    return over;
}

std::vector<ReportTable> levelBooks(const LevelRunResult& result) {
    std::vector<ReportTable> books;
    for (std::size_t i = 0; i < result.lines.size(); ++i) books.push_back(book(result, i));
    return books;
}

LevelReport levelReport(const LevelRunResult& result) {
    const LevelForms& forms = result.forms;
    LevelReport report;
    report.title = "ZENDRO level run report";
    std::string files;
    for (const std::string& file : result.files) files += (files.empty() ? "" : ", ") + file;
    report.header = {
        {"Files", files},
        {"Unit", std::string(unitName(forms.unit))},
        {"Control",
         result.controlPath.empty()
             ? std::string("none")
             : result.controlPath + " (" + std::to_string(result.benchmarkCount) + " heights)"},
        {"A priori",
         review::decimals(result.settings.sigmaKm, 2) +
             " mm per km of double-run levelling, sections weighted by " +
             (result.settings.weighting == LevelWeighting::Length ? "length" : "setups")}};
    for (const review::LimitDefinition& limit : review::limitTable(review::LimitGroup::Level))
        report.limits.push_back(
            {std::string(limit.label),
             review::limitText(limit, result.limits.*limit.levelField, forms.unit)});
    report.books = levelBooks(result);
    for (const LevelFinding& finding : result.findings)
        report.findings.push_back({{finding.text()}, finding.over});
    report.tally = std::to_string(result.tally.measured) + " measured checks, " +
                   std::to_string(result.tally.over) + " over their limits";
    const NetworkResult& network = result.network;
    if (!network.adjusted) {
        report.adjustment.push_back(network.failure.empty()
                                        ? "nothing to adjust: no line with a setup"
                                        : "not adjusted: " + network.failure);
        return report;
    }
    report.adjusted = true;
    report.adjustment = levelSummaryLines(result);
    report.heights = heightsTable(result);
    report.sections = sectionsTable(result);
    return report;
}

std::string levelReportText(const LevelRunResult& result) {
    std::string out;
    ReportText(out).write(levelReport(result));
    return out;
}

std::string levelFindingsText(const LevelRunResult& result) {
    std::string out;
    for (const LevelFinding& finding : result.findings)
        if (finding.over || (finding.check == LevelCheck::Closure && finding.measured))
            out += finding.text() + "\n";
    return out;
}

std::string levelSummaryText(const LevelRunResult& result, std::string_view runLead,
                             std::string_view adjustmentLead) {
    std::string out = std::string(runLead) + std::to_string(result.lines.size()) + " lines, " +
                      std::to_string(result.tally.measured) + " measured checks, " +
                      std::to_string(result.tally.over) + " over their limits\n";
    if (result.network.adjusted)
        for (const std::string& line : levelSummaryLines(result))
            out.append(adjustmentLead).append(line).append("\n");
    return out;
}

std::string levelConsoleText(const LevelRunResult& result) {
    return levelFindingsText(result) + levelSummaryText(result, "", "adjustment: ");
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
        out += "," + result.forms.height(height.height) + "," + result.forms.height(height.sd) +
               "," + std::string(heightSourceName(height.source)) + "\r\n";
    }
    return out;
}

}  // namespace zendro::levels
