#pragma once

#include <string>

#include "levels/level_report.h"

namespace zendro::review {

// A level run's report as a PDF, Letter portrait, from the same model as its
// text: the header, the limits used, each line's level book (a setup over a
// limit marked), the findings (those over a limit marked) and the
// adjustment's summary, heights and sections, every page numbered. Needs a
// QGuiApplication; any thread may call it.
std::string levelReportPdf(const levels::LevelReport& report);

}  // namespace zendro::review
