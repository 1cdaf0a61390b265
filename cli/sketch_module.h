#pragma once

#include <string>

#include "review/sketch_model.h"

namespace zendro::cli {

// The sketch is drawn by Qt, in a module of its own that zendro-convert loads
// only when a sketch is asked for: a conversion never waits for Qt to load.

// How the sheet is put on paper, and the scale's N of 1:N, 0 to fit the whole
// job on the page.
struct SketchSheet {
    review::SheetPaper paper = review::SheetPaper::A4;
    double scaleDenominator = 0;
};

// The module's one entry point, by this name: writes the sketch to `path`
// (SVG, PDF or PNG by its extension) and leaves `error` empty, or sets it to
// a message naming the file and the cause.
inline constexpr char kWriteSketchEntry[] = "zendroWriteSketch";
using WriteSketchEntry = void (*)(const review::SketchModel& model, const std::string& path,
                                  const SketchSheet& sheet, std::string& error);

}  // namespace zendro::cli
