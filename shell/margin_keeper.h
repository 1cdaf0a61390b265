#pragma once

#include <QObject>

class QWidget;

namespace zendro {

// Keeps a widget where it belongs when its parent is resized: a growing widget
// keeps its distances to the parent's right and bottom edges; a bottom widget
// keeps its place relative to the centre and its distance to the bottom edge.
// The distances are those at construction.
class MarginKeeper final : public QObject {
  public:
    enum class Mode { Grow, BottomCentre };

    // Owned by `widget`.
    MarginKeeper(QWidget& widget, Mode mode);

    // Room kept free below a growing widget, besides its distance to the edge.
    void setReserve(int pixels);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow();

    QWidget& widget_;
    Mode mode_;
    int right_;
    int bottom_;
    int centreOffset_;  // a bottom widget's distance from the centred place
    int reserve_ = 0;
};

}  // namespace zendro
