#pragma once

#include <string>

namespace zendro::levels {

struct LevelReport;

// A level run's PDF report is drawn by Qt in the module zendro-convert draws
// its sketch with (cli/sketch_module.h), loaded only when a PDF is asked for.

// The entry point, by this name: sets `pdf` to the report's bytes and leaves
// `error` empty, or sets `error` to the cause.
inline constexpr char kLevelReportPdfEntry[] = "zendroLevelReportPdf";
using LevelReportPdfEntry = void (*)(const LevelReport& report, std::string& pdf,
                                     std::string& error);

}  // namespace zendro::levels
