#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "levels/level_network.h"
#include "levels/level_run.h"
#include "review/report_header.h"
#include "review/report_table.h"

namespace zendro::levels {

// What a run's report shows, drawn by its text and its PDF alike: the
// header (files, unit, control, the a priori deviation), the limits used,
// each line's level book, the findings and the adjustment.
struct LevelReport {
    std::string title;
    std::vector<review::HeaderLine> header;
    std::vector<review::HeaderLine> limits;
    std::vector<review::ReportTable> books;
    std::vector<review::ReportRow> findings;  // one cell: the finding's line
    std::string tally;                        // the measured checks and those over
    std::vector<std::string> adjustment;      // its summary, or why there is none
    bool adjusted = false;                    // the two tables below hold something
    review::ReportTable heights;
    review::ReportTable sections;
};

LevelReport levelReport(const LevelRunResult& result);

// One table a line: per setup the backsight, foresight, sight lengths,
// difference, height, running imbalance and M5 address, its intermediate
// sights under their setup (a setup with a finding over its limit marked);
// after it the sums with the arithmetic check and the closure with its
// allowance.
std::vector<review::ReportTable> levelBooks(const LevelRunResult& result);

// By setup of the run's line `line`: a finding of that setup is over its
// limit (its sights, its readings, its two differences).
std::vector<bool> setupsOverLimit(const LevelRunResult& result, std::size_t line);

// The text report of a run, CR LF: its header (files, unit, control, the a
// priori deviation, the limits used), each line's level book (per setup the
// backsight, foresight, sight lengths, difference, height and running
// imbalance; its intermediate sights; the sums and the arithmetic check; its
// closure and allowance), the findings and the adjustment.
std::string levelReportText(const LevelRunResult& result);

// The adjustment's summary: observations and unknowns, the chi-square test,
// the datum where no benchmark held a part, the blunder or its absence.
std::vector<std::string> levelSummaryLines(const LevelRunResult& result);

// What the command line prints: every finding over its limit or in a file,
// every closure, and the adjustment's summary; "\n" ended.
std::string levelConsoleText(const LevelRunResult& result);
// Its parts: those findings; the lines and checks counted, after `runLead`,
// and the adjustment's summary, each line after `adjustmentLead`.
std::string levelFindingsText(const LevelRunResult& result);
std::string levelSummaryText(const LevelRunResult& result, std::string_view runLead,
                             std::string_view adjustmentLead);

// The CSV of the heights: point, height, standard deviation, source; a header
// naming the unit; UTF-8 and CR LF.
std::string levelCsvBytes(const LevelRunResult& result);

std::string_view heightSourceName(HeightSource source);

}  // namespace zendro::levels
