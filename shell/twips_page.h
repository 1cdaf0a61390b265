#pragma once

#include <QGroupBox>
#include <QRect>
#include <QSize>

#include "shell/twips_layout.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zendro {

// A page of the window: a frame in the page area whose controls keep their
// design places in twips. The window grows every page by one common scale,
// the one at which the captions of all pages fit, so the pages look alike.
class TwipsPage : public QGroupBox {
    Q_OBJECT

  public:
    // The smallest factor, at least 1, at which every caption of the page fits.
    double fittingScale() const { return layout_.fittingScale(); }
    // Lays the page out at `scale` once, before the window shows: what then
    // keeps controls in place as the page grows measures from these places.
    void settle(double scale);
    // The page grows by `extra` beyond its design size; its controls keep theirs.
    void layOut(double scale, QSize extra) const { layout_.apply(scale, extra); }

  protected:
    // `design`: the page's place in the page area.
    TwipsPage(const char* name, const QString& caption, const QRect& design, QWidget* parent);

    // Called once the page is laid out at the common scale.
    virtual void settled() {}

    template <typename Widget>
    Widget* place(Widget* widget, const char* name, const QRect& design,
                  bool captionMustFit = false) {
        widget->setObjectName(QString::fromLatin1(name));
        layout_.add(widget, design, captionMustFit);
        return widget;
    }
    QGroupBox* frame(QWidget* parent, const char* name, const QRect& design);
    QLabel* label(QWidget* parent, const char* name, const char* caption, const QRect& design,
                  bool captionMustFit = true);
    QLineEdit* textBox(QWidget* parent, const char* name, const char* text, const QRect& design);
    QPushButton* button(QWidget* parent, const char* name, const char* caption,
                        const char* toolTip, const QRect& design);
    QRadioButton* optionButton(QWidget* parent, const char* name, const char* caption,
                               const char* toolTip, const QRect& design);

  private:
    TwipsLayout layout_;
};

// Positions and sizes of the design layout, in twips.
inline QRect twips(int left, int top, int width, int height) {
    return {left, top, width, height};
}

}  // namespace zendro
