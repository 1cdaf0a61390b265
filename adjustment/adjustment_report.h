#pragma once

#include <string>
#include <vector>

#include "adjustment/adjustment_result.h"
#include "adjustment/compass_traverse.h"

namespace zendro::adjustment {

// The adjustment as lines of text for the command line (LF line ends,
// numbers without the locale): the probable blunder first, then each part's
// test, the points with their precision, those not checked or not
// determined, and the compass-rule traverses.
std::string adjustmentReport(const AdjustmentResult& result,
                             const std::vector<CompassTraverse>& traverses, bool metric);

}  // namespace zendro::adjustment
