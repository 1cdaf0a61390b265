#pragma once

#include <string>

#include "review/sketch_model.h"

namespace zendro::review {

// Writes the whole sketch fitted to a page, as SVG, PDF or PNG by the file's
// extension (any case), through a temporary file and a rename. Needs a
// QGuiApplication. Throws ZendroError naming the file and the cause.
void exportSketch(const SketchModel& model, const std::string& path);

}  // namespace zendro::review
