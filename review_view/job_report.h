#pragma once

#include <string>

#include "review/job_report_input.h"

namespace zendro::review {

// The job report as a PDF, Letter portrait: the title block, the summary and
// the sketch on the first page, then the limits used, the findings (over-limit
// rows marked "OVER"), the closures and the files written, every page numbered
// "Page N of M". Needs a QGuiApplication; any thread may call it.
std::string jobReportPdf(const JobReportInput& input);

// Writes the report as PDF or text by the file's extension (.pdf or .txt, any
// case), through a temporary file and a rename. Throws ZendroError naming the
// file and the cause.
void writeJobReport(const JobReportInput& input, const std::string& path);

}  // namespace zendro::review
