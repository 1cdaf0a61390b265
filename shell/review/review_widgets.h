#pragma once

// Small helpers the Review page's tabs share: their controls made with an
// object name and a tooltip, and the field files' one-byte text shown.

#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <string>

namespace zendro {

inline QString qtText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string fileText(const QString& text) { return text.toLatin1().toStdString(); }

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                           const QString& tip) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setToolTip(tip);
    return made;
}

inline QLineEdit* textField(QWidget* parent, const char* name, const QString& placeholder,
                            const QString& tip) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setPlaceholderText(placeholder);
    field->setToolTip(tip);
    return field;
}

}  // namespace zendro
