// The module that draws the sketch for zendro-convert (see sketch_module.h).

#include "cli/sketch_module.h"

#include <exception>
#include <type_traits>

#include "cli/sketch_module_app.h"
#include "common/errors.h"
#include "review_view/sketch_export.h"

namespace {

void writeSketch(const zendro::review::SketchModel& model, const std::string& path,
                 const zendro::cli::SketchSheet& sheet) {
    const zendro::cli::SketchModuleApp application;
    zendro::review::SketchExportOptions options;
    options.paper = sheet.paper;
    if (sheet.scaleDenominator > 0) options.scaleDenominator = sheet.scaleDenominator;
    zendro::review::exportSketch(model, path, options);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void zendroWriteSketch(
    const zendro::review::SketchModel& model, const std::string& path,
    const zendro::cli::SketchSheet& sheet, std::string& error) {
    static_assert(std::is_same_v<decltype(&zendroWriteSketch), zendro::cli::WriteSketchEntry>);
    try {
        writeSketch(model, path, sheet);
    } catch (const std::exception& failure) {
        error = zendro::failureMessage(path, failure);
    }
}
