#pragma once

#include <string>

#include "cli/sketch_module.h"
#include "review/sketch_model.h"

namespace zendro::cli {

// The entry point `name` of the sketch module installed beside zendro-convert,
// loaded on first use and kept for the rest of the run (Qt is not made to be
// unloaded). Throws ZendroError naming the module when it cannot be loaded or
// lacks the entry (a module of another version).
void* sketchModuleEntry(const char* name);

// Loads the sketch module installed beside zendro-convert and writes the
// sketch through it. Throws ZendroError naming the module when it cannot be
// loaded, or the sketch file and the cause when it cannot be written.
void writeSketchFile(const review::SketchModel& model, const std::string& path,
                     const SketchSheet& sheet);

}  // namespace zendro::cli
