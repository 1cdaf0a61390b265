// A level run's PDF report for zendro-level, in the sketch module (see
// levels/level_report_module.h).

#include "levels/level_report_module.h"

#include <exception>
#include <type_traits>

#include "cli/sketch_module_app.h"
#include "review_view/level_report_pdf.h"

namespace {

std::string drawReport(const zendro::levels::LevelReport& report) {
    const zendro::cli::SketchModuleApp application;
    return zendro::review::levelReportPdf(report);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void zendroLevelReportPdf(
    const zendro::levels::LevelReport& report, std::string& pdf, std::string& error) {
    static_assert(
        std::is_same_v<decltype(&zendroLevelReportPdf), zendro::levels::LevelReportPdfEntry>);
    try {
        pdf = drawReport(report);
        if (pdf.empty()) error = "the report could not be drawn";
    } catch (const std::exception& failure) {
        error = failure.what();
    }
}
