#pragma once

#include <string>
#include <vector>

#include "review/report_table.h"

namespace zendro::review {

// The parts of the job report made outside the review (the adjustment, the
// positions written, the control, the files), as texts: made once, the PDF
// draws them and the text report prints them, so both say the same.

// The least-squares adjustment: its statistics, each part's test with what a
// failure means, the probable blunder and the largest standardized residuals.
struct AdjustmentSection {
    std::string overview;               // iterations, sigma0, variance factor, degrees of freedom
    ReportTable tests;                  // the whole, then each part
    std::vector<std::string> meanings;  // what each failed test means
    std::string blunder;                // the probable blunder, or that none was found
    bool blunderFound = false;
    std::string residualsTitle;  // "The 10 largest standardized residuals of 24"
    ReportTable residuals;
    std::vector<std::string> notes;  // held, not checked, not determined
};

// The positions the exports wrote, in their frame and unit.
struct CoordinateSection {
    std::string description;  // "6 points, adjusted frame, no coordinate system, US survey feet"
    ReportTable points;       // point, northing, easting, elevation (and sN, sE, sZ)
};

}  // namespace zendro::review
