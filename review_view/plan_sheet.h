#pragma once

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

#include "review/sketch_model.h"
#include "review_view/sketch_view.h"

class QFont;
class QPaintDevice;
class QPainter;

namespace zendro::review {

// The largest of 1, 2, 5 x 10^n not above `value` (`value` > 0): the lengths
// and factors a reader takes in at a glance.
double roundDown125(double value);

// One feature in the legend: its colour, its code and how many of its chains
// are drawn.
struct LegendFeature {
    QColor colour;
    QString code;
    std::size_t chains = 0;
};
std::vector<LegendFeature> legendFeatures(const SketchModel& model);

// What makes a plan of the drawing: a north arrow, a scale bar following the
// view, a legend, a title block. Laid out first, so the names stay clear of
// it, then painted over the drawing.
class PlanSheet {
  public:
    // `exaggeration` is the ellipses' (0 when none are drawn).
    PlanSheet(QPainter& painter, QSizeF size, const SketchView& view, const SketchModel& model,
              double exaggeration);
    // The same layout for a painter that would start on `device` with `font`.
    PlanSheet(const QFont& font, const QPaintDevice* device, QSizeF size, const SketchView& view,
              const SketchModel& model, double exaggeration);

    // The scale bar's length in the job's unit.
    double scaleBarLength() const { return barLength_; }
    // The boxes the sheet covers, in device pixels.
    std::vector<QRectF> boxes() const { return {north_, legend_, bar_, title_}; }
    void paint(QPainter& painter) const;

  private:
    QStringList titleLines() const;
    QStringList legendLines() const;

    const SketchModel& model_;
    double scale_;
    double exaggeration_;
    double unitPx_;  // one line of the sheet's text, in device pixels
    double barLength_ = 0;
    std::vector<LegendFeature> features_;
    QRectF north_, legend_, bar_, title_;
};

}  // namespace zendro::review
