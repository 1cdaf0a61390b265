#include "shell/margin_keeper.h"

#include <QEvent>
#include <QWidget>

namespace zendro {

MarginKeeper::MarginKeeper(QWidget& widget, Mode mode)
    : QObject(&widget),
      widget_(widget),
      mode_(mode),
      right_(widget.parentWidget()->width() - widget.geometry().right()),
      bottom_(widget.parentWidget()->height() - widget.geometry().bottom()),
      centreOffset_(widget.x() - (widget.parentWidget()->width() - widget.width()) / 2) {
    widget.parentWidget()->installEventFilter(this);
}

void MarginKeeper::setReserve(int pixels) {
    reserve_ = pixels;
    follow();
}

bool MarginKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget_.parentWidget() && event->type() == QEvent::Resize) follow();
    return QObject::eventFilter(watched, event);
}

void MarginKeeper::follow() {
    const QSize parent = widget_.parentWidget()->size();
    QRect place = widget_.geometry();
    if (mode_ == Mode::Grow) {
        place.setRight(parent.width() - right_);
        place.setBottom(parent.height() - bottom_ - reserve_);
    } else {
        place.moveBottom(parent.height() - bottom_);
        place.moveLeft((parent.width() - place.width()) / 2 + centreOffset_);
    }
    widget_.setGeometry(place);
}

}  // namespace zendro
