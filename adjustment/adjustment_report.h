#pragma once

#include <string>
#include <vector>

#include "adjustment/adjustment_result.h"
#include "adjustment/compass_traverse.h"
#include "review/report_sections.h"

namespace zendro::adjustment {

// The adjustment as lines of text for the command line (LF line ends,
// numbers without the locale): the probable blunder first, then each part's
// test, the points with their precision, those not checked or not
// determined, and the compass-rule traverses.
std::string adjustmentReport(const AdjustmentResult& result,
                             const std::vector<CompassTraverse>& traverses, LengthUnit unit);

// "Probable blunder: HVD record 52, height difference from point 4 to point
// 3: residual ..., standardized ... (limit 3.29): <what to re-measure>", or
// empty when none was named.
std::string blunderText(const AdjustmentResult& result, LengthUnit unit);

// Both parts together: "Variance factor 0.789, 30 degrees of freedom,
// chi-square 23.67 against 16.79 to 46.98: passed" ("failed high" above the
// bounds, "failed low" below them).
std::string overallTestText(const AdjustmentResult& result);
// What a failed overall test means for the crew; empty when it passed or
// could not be made.
std::string overallTestAdvice(const AdjustmentResult& result);

// Held, not checked and not determined points, a line each when there are any:
// "Held: 1, 4".
std::vector<std::string> pointListLines(const AdjustmentResult& result);

// The adjustment as the job report shows it: the overview (sigma0, the
// variance factor), the test of the whole and of each part with what a
// failure means, the probable blunder, the `worst` largest standardized
// residuals of the observations checked, and the points held, not checked
// and not determined.
review::AdjustmentSection adjustmentSection(const AdjustmentResult& result, LengthUnit unit,
                                            std::size_t worst = 10);

}  // namespace zendro::adjustment
