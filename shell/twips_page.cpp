#include "shell/twips_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zendro {

TwipsPage::TwipsPage(const char* name, const QString& caption, const QRect& design,
                     QWidget* parent)
    : QGroupBox(caption, parent) {
    setObjectName(QString::fromLatin1(name));
    // The page itself first: it takes the page area's extra room.
    layout_.add(this, design, false, TwipsLayout::Stretch::Both);
}

void TwipsPage::settle(double scale) {
    layout_.apply(scale);
    settled();
}

QGroupBox* TwipsPage::frame(QWidget* parent, const char* name, const QRect& design) {
    return place(new QGroupBox(parent), name, design);
}

QLabel* TwipsPage::label(QWidget* parent, const char* name, const char* caption,
                         const QRect& design, bool captionMustFit) {
    return place(new QLabel(QString::fromLatin1(caption), parent), name, design, captionMustFit);
}

QLineEdit* TwipsPage::textBox(QWidget* parent, const char* name, const char* text,
                              const QRect& design) {
    return place(new QLineEdit(QString::fromLatin1(text), parent), name, design);
}

QPushButton* TwipsPage::button(QWidget* parent, const char* name, const char* caption,
                               const char* toolTip, const QRect& design) {
    auto* result = place(new QPushButton(QString::fromLatin1(caption), parent), name, design, true);
    if (toolTip != nullptr) result->setToolTip(QString::fromLatin1(toolTip));
    return result;
}

QRadioButton* TwipsPage::optionButton(QWidget* parent, const char* name, const char* caption,
                                      const char* toolTip, const QRect& design) {
    auto* result =
        place(new QRadioButton(QString::fromLatin1(caption), parent), name, design, true);
    result->setToolTip(QString::fromLatin1(toolTip));
    return result;
}

}  // namespace zendro
