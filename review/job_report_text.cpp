#include "review/job_report_text.h"

#include <algorithm>

namespace zendro::review {
namespace {

// The office's editors on Windows read these files, as they read the OBS file.
constexpr std::string_view kLineEnd = "\r\n";

std::string count(std::size_t n, std::string_view what) {
    return std::to_string(n) + " " + std::string(what);
}

class TextReport {
  public:
    void line(std::string_view text) { out_.append(text).append(kLineEnd); }
    void lines(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) line(text);
    }
    void labelled(const HeaderLine& header) { line(header.label + ": " + header.value); }
    // A section after a blank line, its title on a line of its own.
    void section(std::string_view title) {
        line("");
        line(title);
    }
    // Text already laid out in lines.
    void raw(std::string_view text) { out_.append(text); }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

void titleBlock(TextReport& text, const ReportHeader& header) {
    text.line("ZENDRO job report");
    for (const HeaderLine& line : jobHeaderLines(header)) text.labelled(line);
    std::string signOff;
    for (const HeaderLine& line : signOffLines())
        signOff += (signOff.empty() ? "" : "  ") + line.label + ": " + line.value;
    text.line(signOff);
}

void limits(TextReport& text, const ReportHeader& header) {
    text.section("Limits used");
    for (const HeaderLine& line : limitLines(header)) text.labelled(line);
}

void findings(TextReport& text, const ReviewReport& report, bool closuresOnly) {
    text.section(closuresOnly ? "Closures" : "Findings");
    bool any = false;
    for (const Finding& finding : report.findings) {
        if (closuresOnly && finding.kind != FindingKind::Closure) continue;
        text.line(finding.text);
        any = true;
    }
    if (!any) text.line(closuresOnly ? kNoClosures : kNoFindings);
}

void adjustment(TextReport& text, const std::optional<AdjustmentSection>& adjusted) {
    text.section("Adjustment");
    if (!adjusted) {
        text.line(kNoAdjustment);
        return;
    }
    text.line(adjusted->overview);
    text.lines(tableLines(adjusted->tests));
    text.lines(adjusted->meanings);
    text.line(adjusted->blunder);
    text.line(adjusted->residualsTitle);
    text.lines(tableLines(adjusted->residuals));
    text.lines(adjusted->notes);
}

void coordinates(TextReport& text, const CoordinateSection& coordinates) {
    text.section("Coordinates");
    text.line(coordinates.description);
    if (coordinates.points.rows.empty()) {
        text.line(kNoPositions);
        return;
    }
    text.lines(tableLines(coordinates.points));
}

}  // namespace

std::vector<std::string> summaryLines(const JobReportInput& input) {
    const JobCounts& c = input.counts;
    return {input.report.summaryLine(), "Verdict: " + input.report.verdict(),
            "Field files: " + count(c.records, "HVD records") + ", " +
                count(c.entries, "point-feature entries") + ", " + count(c.chains, "chains"),
            "Positioned: " + count(c.positioned, "points") + " (" + count(c.stations, "stations") +
                "), each drawn in the sketch and listed under Coordinates; " +
                count(c.legs, "traverse legs")};
}

std::vector<std::string> filesWrittenLines(const JobReportInput& input) {
    std::vector<std::string> lines;
    if (const std::optional<WrittenFiles>& converted = input.conversion) {
        lines = converted->paths;
        lines.push_back("Converted: " + count(converted->records, "HVD records") + ", " +
                        count(converted->points, "point-feature entries") + ", " +
                        count(converted->chains, "chains") + ", " +
                        count(converted->warnings, "warnings"));
    } else {
        lines.emplace_back("Not converted in this session; the job's outputs as found:");
        lines.insert(lines.end(), input.outputsFound.begin(), input.outputsFound.end());
        if (input.outputsFound.empty()) lines.emplace_back("none");
    }
    lines.insert(lines.end(), input.exports.begin(), input.exports.end());
    return lines;
}

std::string jobReportText(const JobReportInput& input) {
    TextReport text;
    titleBlock(text, input.header);
    text.section("Summary");
    text.lines(summaryLines(input));
    limits(text, input.header);
    findings(text, input.report, false);
    findings(text, input.report, true);
    adjustment(text, input.adjustment);
    text.section("Control");
    text.lines(input.control);
    coordinates(text, input.coordinates);
    text.section("Files written");
    text.lines(filesWrittenLines(input));
    for (const ReportTable& table : input.levelBook)
        text.raw(std::string(kLineEnd) + titledTableText(table, kLineEnd));
    return text.take();
}

}  // namespace zendro::review
