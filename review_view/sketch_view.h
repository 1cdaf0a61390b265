#pragma once

#include <QPointF>
#include <QSizeF>

#include "review/sketch_model.h"

namespace zendro::review {

// Where the sketch looks: `scale` device pixels per distance unit around a
// world centre. North is up.
struct SketchView {
    double scale = 1;
    double centreX = 0;
    double centreY = 0;

    QPointF toDevice(double x, double y, QSizeF size) const {
        return {size.width() / 2 + (x - centreX) * scale,
                size.height() / 2 - (y - centreY) * scale};
    }
    QPointF toWorld(QPointF device, QSizeF size) const {
        return {centreX + (device.x() - size.width() / 2) / scale,
                centreY - (device.y() - size.height() / 2) / scale};
    }

    // The whole sketch inside `size`, with a margin in pixels.
    static SketchView fitting(const SketchBounds& bounds, QSizeF size, double margin = 24);
    // Zooms by `factor` keeping the world point under `device` in place.
    void zoomAbout(QPointF device, double factor, QSizeF size);
    void panBy(QPointF deviceDelta) {
        centreX -= deviceDelta.x() / scale;
        centreY += deviceDelta.y() / scale;
    }
};

}  // namespace zendro::review
