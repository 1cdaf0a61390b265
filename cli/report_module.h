#pragma once

#include <string>

#include "review/job_report_input.h"

namespace zendro::cli {

// The job report's PDF is drawn by Qt in the same module as the sketch
// (cli/sketch_module.h), loaded only when a PDF report is asked for.

// The entry point, by this name: sets `pdf` to the report's bytes and leaves
// `error` empty, or sets `error` to the cause.
inline constexpr char kJobReportPdfEntry[] = "zendroJobReportPdf";
using JobReportPdfEntry = void (*)(const review::JobReportInput& input, std::string& pdf,
                                   std::string& error);

}  // namespace zendro::cli
