#include "cli/sketch_loader.h"

#include "cli/sketch_module.h"
#include "common/errors.h"
#include "common/program_module.h"

namespace zendro::cli {

void* sketchModuleEntry(const char* name) {
    return programModuleEntry(ZENDRO_SKETCH_MODULE_FROM_BIN, name, "the sketch module");
}

void writeSketchFile(const review::SketchModel& model, const std::string& path,
                     const SketchSheet& sheet) {
    const auto entry = reinterpret_cast<WriteSketchEntry>(sketchModuleEntry(kWriteSketchEntry));
    std::string error;
    entry(model, path, sheet, error);
    if (!error.empty()) throw ZendroError(error);
}

}  // namespace zendro::cli
