#pragma once

#include <string>
#include <vector>

#include "levels/level_finding.h"
#include "levels/level_forms.h"
#include "levels/level_reduction.h"
#include "review/limit_table.h"
#include "review/review_limits.h"

namespace zendro::levels {

// "limit 12 mm/sqrt(km)": a level limit's value as the limit table writes it.
std::string levelLimitText(double review::LevelLimits::*field, double value, LengthUnit unit);

// Checks a reduced line against the level limits: its closure (always
// listed; between two benchmarks or round a loop), each setup's sight
// imbalance, longest sight, lowest reading and double-read differences, the
// line's imbalance at its end and its readings marked `e`. Over a limit is a
// finding naming the setup and what to re-measure; within, only counted.
void checkLine(ReducedLine& reduced, const Benchmarks& benchmarks, const review::LevelLimits& limits,
               const LevelForms& forms, std::vector<LevelFinding>& findings, CheckTally& tally);

}  // namespace zendro::levels
