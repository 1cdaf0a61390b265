#pragma once

#include <string>

#include "cli/sketch_module.h"
#include "review/sketch_model.h"

namespace zendro::cli {

// Loads the sketch module installed beside zendro-convert and writes the
// sketch through it. Throws ZendroError naming the module when it cannot be
// loaded, or the sketch file and the cause when it cannot be written.
void writeSketchFile(const review::SketchModel& model, const std::string& path,
                     const SketchSheet& sheet);

}  // namespace zendro::cli
