#pragma once

#include <vector>

#include "review/report_table.h"
#include "review_view/report_pages.h"

namespace zendro::review {

// The job report's level book, when the job has level runs: the heights its
// points took from them, then each line's setups (backsight, foresight,
// distances, difference, height, running imbalance) with its closure and
// allowance, a setup over a limit marked.
void levelBook(PageFlow& flow, const std::vector<ReportTable>& book);

}  // namespace zendro::review
