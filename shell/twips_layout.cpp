#include "shell/twips_layout.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace zendro {
namespace {

constexpr double kTwipsPerPixel = 15.0;
// Beyond this the design is no longer recognisable; captions are cut instead.
constexpr double kLargestScale = 2.0;

}  // namespace

void TwipsLayout::add(QWidget* widget, const QRect& twips, bool captionMustFit, Stretch stretch) {
    placements_.push_back({widget, twips, captionMustFit, stretch});
}

double TwipsLayout::fittingScale() const {
    double scale = 1.0;
    for (const Placement& placement : placements_) {
        if (!placement.captionMustFit || placement.twips.width() <= 0) continue;
        scale = std::max(scale, scaleToFit(*placement.widget, placement.twips.width()));
    }
    return std::min(scale, kLargestScale);
}

double TwipsLayout::scaleToFit(const QWidget& widget, int twipsWidth) {
    return std::min(
        (widget.sizeHint().width() + 0.5) * kTwipsPerPixel / static_cast<double>(twipsWidth),
        kLargestScale);
}

void TwipsLayout::apply(double scale, QSize extra) const {
    for (const Placement& placement : placements_) {
        QRect geometry = toPixels(placement.twips, scale);
        if (placement.stretch != Stretch::None) geometry.setWidth(geometry.width() + extra.width());
        if (placement.stretch == Stretch::Both)
            geometry.setHeight(geometry.height() + extra.height());
        placement.widget->setGeometry(geometry);
    }
}

int TwipsLayout::toPixels(int twips, double scale) {
    return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

QRect TwipsLayout::toPixels(const QRect& twips, double scale) {
    return {toPixels(twips.x(), scale), toPixels(twips.y(), scale), toPixels(twips.width(), scale),
            toPixels(twips.height(), scale)};
}

}  // namespace zendro
