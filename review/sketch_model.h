#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/length_unit.h"
#include "review/job_review.h"

namespace zendro::review {

// A point as the sketch draws it: x to the east, y to the north, frames
// other than the first moved apart.
// A point's 95% error ellipse from the adjustment, in the job's distance
// unit; the sketch draws it exaggerated.
struct SketchEllipse {
    double major = 0;
    double minor = 0;
    double azimuthDegrees = 0;  // of the major axis, clockwise from north
};

struct SketchPoint {
    std::int64_t number = 0;
    double x = 0;
    double y = 0;
    double elevation = 0;
    bool station = false;
    bool taped = false;
    std::string label;        // the point text of the OBS file (prefix + number)
    std::string description;  // of the entry its OBS lines carry
    std::string comment;
    std::size_t entry = 0;             // that 1-based point-feature entry, 0 when it has none
    std::vector<std::size_t> records;  // HVD records naming it
    std::optional<SketchEllipse> ellipse;  // adjusted and determined points only
};

struct SketchChain {
    std::string name;
    std::string feature;
    std::vector<std::string> pointTexts;  // as the chain section lists them, end included
    std::vector<std::size_t> points;      // indices into SketchModel::points, in that order
};

struct SketchBounds {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// What the plan sheet's title block names.
struct SketchTitle {
    std::string jobName;
    std::string date;   // as the job's header gives it, empty when it gives none
    std::optional<LengthUnit> unit;  // none for a sketch drawn without its title
    std::string frame;  // "local", "tied to control" or "adjusted"
};

struct SketchModel {
    std::vector<SketchPoint> points;
    std::vector<std::pair<std::size_t, std::size_t>> legs;  // traverse legs, point indices
    std::vector<SketchChain> chains;
    SketchBounds bounds;
    SketchTitle title;

    // Index of the point numbered `number`, or -1.
    std::ptrdiff_t indexOf(std::int64_t number) const;
};

// The sketch of a reviewed job; `pointPrefix` makes the point texts.
SketchModel buildSketch(const JobReview& review, const std::string& pointPrefix);
// The same with its title block: the job's name, its unit, the local frame.
// An HVD file has no header, so the decoded job gives no date.
SketchModel buildSketch(const JobReview& review, const ConversionOptions& options,
                        const std::string& jobName);

// The extension of a sketch file's name in lower case ("svg", "pdf", "png" or
// anything else), empty when the name has none.
std::string sketchFileExtension(const std::string& path);

// True when `path` ends in .svg, .pdf or .png (any case).
bool isSketchFileName(const std::string& path);

// The papers a PDF sketch is printed on.
enum class SheetPaper { Letter, Tabloid, A4, A3 };

// "letter", "tabloid", "a4" or "a3" (any case).
std::optional<SheetPaper> sheetPaperNamed(const std::string& name);

}  // namespace zendro::review
