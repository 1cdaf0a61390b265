#pragma once

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <string>
#include <vector>

#include "review/sketch_model.h"
#include "review_view/sketch_view.h"

class QFont;
class QPaintDevice;
class QPainter;

namespace zendro::review {

// Draws a sketch with QPainter, for the window and for every export: traverse
// legs, the chains in their OBS order with one colour per feature, the error
// ellipses exaggerated, station and point marks, the point names when few
// enough points are in view, and the plan sheet over it (north arrow, scale
// bar, legend, title block).
class SketchRenderer {
  public:
    explicit SketchRenderer(const SketchModel& model);

    void paint(QPainter& painter, QSizeF size, const SketchView& view) const;
    // The same, into `rect` of the painter's device, clipped to it.
    void paintInto(QPainter& painter, const QRectF& rect, const SketchView& view) const;

    // How many times the ellipses are drawn enlarged at this view in a
    // drawing of `size` (1, 2, 5 x 10^n: the largest one's major semi-axis a
    // fiftieth of the shorter side at most), or 0 when there are none.
    double ellipseExaggeration(const SketchView& view, QSizeF size) const;

    // The whole job in a drawing of `size`, clear of the plan sheet's legend,
    // title block, north arrow and scale bar as a painter with `font` on
    // `device` lays them out: in the band between the top and bottom boxes or
    // between the left and right ones, whichever shows the job larger.
    SketchView fitting(const QFont& font, const QPaintDevice* device, QSizeF size) const;

    // The point drawn nearest to `device` within `radius` pixels, or -1.
    std::ptrdiff_t pointAt(QPointF device, QSizeF size, const SketchView& view,
                           double radius = 6) const;

    // The same feature always gets the same colour.
    static QColor featureColour(const std::string& feature);

    // Names are drawn when at most this many points are in view, and only as
    // many as the view has room for.
    static constexpr std::size_t kLabelBudget = 400;

  private:
    const SketchModel& model_;
    std::vector<QRectF> chainBounds_;  // world bounds of each chain, to skip those out of view
    std::vector<bool> chainEnd_;       // per point: the first or last of a chain
};

}  // namespace zendro::review
