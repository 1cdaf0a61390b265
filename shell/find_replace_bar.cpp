#include "shell/find_replace_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zendro {
namespace {

template <typename Button>
Button* barButton(QWidget* parent, const char* name, const char* caption, const char* toolTip) {
    auto* button = new Button(parent);
    button->setText(QString::fromLatin1(caption));
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromLatin1(toolTip));
    return button;
}

QHBoxLayout* tightRow(QWidget* row) {
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    return layout;
}

}  // namespace

FindReplaceBar::FindReplaceBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("FindBar"));
    setFrameShape(QFrame::StyledPanel);

    auto* findRow = new QWidget(this);
    findText_ = new QLineEdit(findRow);
    findText_->setObjectName(QStringLiteral("FindText"));
    findText_->setPlaceholderText(QStringLiteral("Find"));
    findText_->setToolTip(QStringLiteral("A point, description or comment text to find"));
    auto* previous = barButton<QToolButton>(findRow, "FindPrevious", "<", "Previous match");
    auto* next = barButton<QToolButton>(findRow, "FindNext", ">", "Next match (Enter)");
    status_ = new QLabel(findRow);
    status_->setObjectName(QStringLiteral("FindStatus"));
    auto* closeButton = barButton<QToolButton>(findRow, "FindClose", "x", "Close (Esc)");
    QHBoxLayout* findLayout = tightRow(findRow);
    findLayout->addWidget(findText_, 1);
    findLayout->addWidget(previous);
    findLayout->addWidget(next);
    findLayout->addWidget(status_);
    findLayout->addWidget(closeButton);

    replaceRow_ = new QWidget(this);
    replaceText_ = new QLineEdit(replaceRow_);
    replaceText_->setObjectName(QStringLiteral("ReplaceText"));
    replaceText_->setPlaceholderText(QStringLiteral("Replace with"));
    replaceText_->setToolTip(QStringLiteral("What the found text becomes; empty erases it"));
    replaceField_ = new QComboBox(replaceRow_);
    replaceField_->setObjectName(QStringLiteral("ReplaceField"));
    replaceField_->addItems({QStringLiteral("Descriptions"), QStringLiteral("Comments")});
    replaceField_->setToolTip(QStringLiteral("Replace in the descriptions or in the comments"));
    selectedOnly_ = new QCheckBox(QStringLiteral("Selected"), replaceRow_);
    selectedOnly_->setObjectName(QStringLiteral("ReplaceSelected"));
    selectedOnly_->setToolTip(QStringLiteral("Replace in the selected rows only"));
    wholeCode_ = new QCheckBox(QStringLiteral("Whole code"), replaceRow_);
    wholeCode_->setObjectName(QStringLiteral("ReplaceWholeCode"));
    wholeCode_->setToolTip(QStringLiteral("Replace whole codes only: EP changes \"TAPE EP\" "
                                          "to \"TAPE X\", not \"TAX X\""));
    auto* replaceAll = barButton<QPushButton>(replaceRow_, "ReplaceAll", "Replace All",
                                              "Replace every match; Ctrl+Z undoes it in one step");
    replaceAll->setAutoDefault(false);
    QHBoxLayout* replaceLayout = tightRow(replaceRow_);
    replaceLayout->addWidget(replaceText_, 1);
    replaceLayout->addWidget(replaceField_);
    replaceLayout->addWidget(selectedOnly_);
    replaceLayout->addWidget(wholeCode_);
    replaceLayout->addWidget(replaceAll);

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(2, 2, 2, 2);
    rows->setSpacing(2);
    rows->addWidget(findRow);
    rows->addWidget(replaceRow_);
    // From what to find straight to what to put instead, past the arrows.
    setTabOrder(findText_, replaceText_);

    connect(findText_, &QLineEdit::returnPressed, this,
            [this] { emit findRequested(findText_->text(), true); });
    connect(next, &QAbstractButton::clicked, this,
            [this] { emit findRequested(findText_->text(), true); });
    connect(previous, &QAbstractButton::clicked, this,
            [this] { emit findRequested(findText_->text(), false); });
    connect(closeButton, &QAbstractButton::clicked, this, [this] { dismiss(); });
    connect(replaceAll, &QAbstractButton::clicked, this, [this] {
        emit replaceRequested(findText_->text(), replaceText_->text(),
                              replaceField_->currentIndex() == 1, selectedOnly_->isChecked(),
                              wholeCode_->isChecked());
    });
    hide();
}

void FindReplaceBar::openFind() { open(false); }

void FindReplaceBar::openReplace() { open(true); }

void FindReplaceBar::setReplacementValidator(QValidator* validator) {
    replaceText_->setValidator(validator);
}

void FindReplaceBar::setStatus(const QString& text) { status_->setText(text); }

void FindReplaceBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        dismiss();
        return;
    }
    QFrame::keyPressEvent(event);
}

void FindReplaceBar::open(bool withReplace) {
    replaceRow_->setVisible(withReplace);
    setStatus({});
    show();
    emit visibilityChanged();
    findText_->setFocus();
    findText_->selectAll();
}

void FindReplaceBar::dismiss() {
    hide();
    emit visibilityChanged();
}

}  // namespace zendro
