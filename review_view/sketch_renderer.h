#pragma once

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <string>
#include <vector>

#include "review/sketch_model.h"
#include "review_view/sketch_view.h"

class QPainter;

namespace zendro::review {

// Draws a sketch with QPainter, for the window and for every export: traverse
// legs, the chains in their OBS order with one colour per feature, station and
// point marks, and the point names when few enough points are in view.
class SketchRenderer {
  public:
    explicit SketchRenderer(const SketchModel& model);

    void paint(QPainter& painter, QSizeF size, const SketchView& view) const;

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
};

}  // namespace zendro::review
