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
// azimuth 60, seen at 2 pixels a unit in a 1000 by 1000 picture centred on
// it. The largest semi-axis may take 1000 / 50 = 20 pixels: 20 / (0.02 x 2)
// = 500, already a 1-2-5 step, so the semi-axes are drawn 0.02 x 500 x 2 =
// 20 and 10 pixels long. From the centre (500, 500), north up: the major axis
// ends at (500 + 20 sin 60, 500 - 20 cos 60) = (517.32, 490) and the minor
// one, at azimuth 150, at (500 + 10 sin 150, 500 - 10 cos 150) = (505,
// 508.66). Along azimuth 300 the ellipse reaches 20 x 10 / sqrt((10 cos 60)^2
// + (20 sin 60)^2) = 11.1, so (482.68, 490), 20 out, lies well outside it.
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
    EXPECT_EQ(renderer.ellipseExaggeration(view, QSizeF(1000, 1000)), 500);
    // A picture a tenth the size: 2 pixels, a factor of 50.
    EXPECT_EQ(renderer.ellipseExaggeration(view, QSizeF(100, 300)), 50);

    QImage image(1000, 1000, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        renderer.paint(painter, QSizeF(1000, 1000), view);
    }
    EXPECT_TRUE(ellipseNear(image, 517.32, 490));
    EXPECT_TRUE(ellipseNear(image, 482.68, 510));  // the major axis's other end
    EXPECT_TRUE(ellipseNear(image, 505, 508.66));
    EXPECT_FALSE(ellipseNear(image, 482.68, 490));
    EXPECT_FALSE(ellipseNear(image, 500, 480));  // 20 pixels due north
}

}  // namespace
}  // namespace zendro::testing
