#pragma once

#include <QSizeF>
#include <optional>
#include <string>

#include "review/sketch_model.h"
#include "review_view/sketch_view.h"

namespace zendro::review {

// How a sketch is put on its page. The orientation follows the job's shape:
// landscape unless the job is taller than it is wide.
struct SketchExportOptions {
    SheetPaper paper = SheetPaper::A4;  // for PDF; SVG and PNG are pictures of a fixed size
    std::optional<double> scaleDenominator;  // 1:N on the page; the whole job fitted when unset
};

// True when the sheet of this sketch is upright.
bool sheetIsPortrait(const SketchBounds& bounds);

// The view of a page of `pixels` at `dotsPerInch`: the whole job fitted, or
// at 1:N around the job's centre (a distance in the job's unit, meters or US
// survey feet, drawn 1/N of it long on the page).
SketchView sheetView(const SketchModel& model, const SketchExportOptions& options, QSizeF pixels,
                     double dotsPerInch);

// Writes the sketch with its plan sheet as SVG, PDF or PNG by the file's
// extension (any case), through a temporary file and a rename. Needs a
// QGuiApplication. Throws ZendroError naming the file and the cause.
void exportSketch(const SketchModel& model, const std::string& path,
                  const SketchExportOptions& options = {});

}  // namespace zendro::review
