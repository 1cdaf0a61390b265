#pragma once

#include <QRect>
#include <vector>

class QWidget;

namespace zendro {

// Places controls by the design layout in twips (1440 to the inch). Qt's
// logical pixels are 96 to the inch and follow the screen's scaling, so 15
// twips make a pixel; when the window's font needs more room than the design
// font did, every position and size grows by the same factor, so the layout
// keeps its proportions and every caption stays whole. A window larger than
// its design gives its extra room to the controls that stretch.
class TwipsLayout {
  public:
    enum class Stretch {
        None,   // keeps its design size and place
        Width,  // takes the extra width
        Both,   // takes the extra width and height
    };

    // `captionMustFit`: the control's caption sets the least width it needs.
    void add(QWidget* widget, const QRect& twips, bool captionMustFit,
             Stretch stretch = Stretch::None);

    // The smallest factor, at least 1, at which every caption fits.
    double fittingScale() const;
    // The factor at which `widget`'s caption fits in `twipsWidth`.
    static double scaleToFit(const QWidget& widget, int twipsWidth);
    // `extra`: how much the window exceeds its design size.
    void apply(double scale, QSize extra = QSize(0, 0)) const;

    static int toPixels(int twips, double scale);
    static QRect toPixels(const QRect& twips, double scale);

  private:
    struct Placement {
        QWidget* widget;
        QRect twips;
        bool captionMustFit;
        Stretch stretch;
    };
    std::vector<Placement> placements_;
};

}  // namespace zendro
