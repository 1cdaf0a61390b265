// An adjusted point's error ellipse as the sketch draws it: enlarged by a
// round factor, its major axis along its azimuth.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "review_view/sketch_renderer.h"

namespace zendro::testing {
namespace {

// Whether a pixel within two of (x, y) has the ellipses' purple.
bool ellipseNear(const QImage& image, double x, double y) {
    const QColor purple(120, 40, 160);
    for (int dx = -2; dx <= 2; ++dx) {
        for (int dy = -2; dy <= 2; ++dy) {
            const QColor c = image.pixelColor(static_cast<int>(std::lround(x)) + dx,
                                              static_cast<int>(std::lround(y)) + dy);
            if (std::abs(c.red() - purple.red()) < 40 && std::abs(c.green() - purple.green()) < 40 &&
                std::abs(c.blue() - purple.blue()) < 40 && c.blue() > c.green() + 60) {
                return true;
            }
        }
    }
    return false;
}

// One point at the origin with a 95% ellipse of 0.02 by 0.01, major axis at
// azimuth 60, seen at 2 pixels a unit in a 400 by 400 picture centred on it.
// The factor: 30 pixels wanted / (0.02 x 2) = 750, rounded up in 1-2-5 steps
// to 1000, so the semi-axes are drawn 0.02 x 1000 x 2 = 40 and 20 pixels long.
// From the centre (200, 200), north up: the major axis ends at
// (200 + 40 sin 60, 200 - 40 cos 60) = (234.64, 180) and the minor one, at
// azimuth 150, at (200 + 20 sin 150, 200 - 20 cos 150) = (210, 217.32). The
// other way round, along azimuth 300 at 40: (165.36, 180), lies outside it.
TEST(EllipseDrawing, TheMajorAxisLiesAlongItsAzimuthEnlargedByARoundFactor) {
    review::SketchModel model;
    review::SketchPoint point;
    point.number = 7;
    point.label = "S7";
    point.ellipse = review::SketchEllipse{0.02, 0.01, 60};
    model.points.push_back(point);
    model.bounds = {-1, -1, 1, 1};
    const review::SketchRenderer renderer(model);
    const review::SketchView view{2, 0, 0};
    EXPECT_EQ(renderer.ellipseExaggeration(view), 1000);

    QImage image(400, 400, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        renderer.paint(painter, QSizeF(400, 400), view);
    }
    EXPECT_TRUE(ellipseNear(image, 234.64, 180));
    EXPECT_TRUE(ellipseNear(image, 165.36, 220));  // the major axis's other end
    EXPECT_TRUE(ellipseNear(image, 210, 217.32));
    EXPECT_FALSE(ellipseNear(image, 165.36, 180));
    EXPECT_FALSE(ellipseNear(image, 200, 160));  // 40 pixels due north
}

}  // namespace
}  // namespace zendro::testing
