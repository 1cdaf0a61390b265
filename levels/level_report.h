#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "levels/level_network.h"
#include "levels/level_run.h"

namespace zendro::levels {

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

// The CSV of the heights: point, height, standard deviation, source; a header
// naming the unit; UTF-8 and CR LF.
std::string levelCsvBytes(const LevelRunResult& result);

std::string_view heightSourceName(HeightSource source);

}  // namespace zendro::levels
