#pragma once

#include <vector>

#include "levels/level_finding.h"
#include "levels/level_line.h"
#include "levels/m5_reader.h"

namespace zendro::levels {

// The levelling lines of a file read: its records walked once, each setup
// gathered from its readings. Repeated measurements keep the last reading;
// what cannot take part (a reading outside a line, a setup without a
// foresight) is a finding, never dropped in silence.
std::vector<LevelLine> levelLines(const M5File& file, const UnitConversion& units,
                                  std::vector<LevelFinding>& findings);

}  // namespace zendro::levels
