#pragma once

#include <QFrame>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QValidator;

namespace zendro {

// The feature editor's search bar below the grid: a find row (Ctrl+F) and,
// for Replace (Ctrl+H), a replace row. It only collects; the editor searches.
class FindReplaceBar final : public QFrame {
    Q_OBJECT

  public:
    explicit FindReplaceBar(QWidget* parent);

    // Shows the find row alone, the find box focused and its text selected.
    void openFind();
    // Shows both rows, the find box focused.
    void openReplace();
    // Guards the replacement text, which goes into cells.
    void setReplacementValidator(QValidator* validator);
    void setStatus(const QString& text);

  signals:
    void findRequested(const QString& text, bool forward);
    // `comments` false: descriptions. `wholeCodeOnly`: shell/whole_code_replace.h.
    void replaceRequested(const QString& find, const QString& replacement, bool comments,
                          bool selectedRowsOnly, bool wholeCodeOnly);
    void visibilityChanged();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void open(bool withReplace);
    void dismiss();

    QLineEdit* findText_ = nullptr;
    QLabel* status_ = nullptr;
    QWidget* replaceRow_ = nullptr;
    QLineEdit* replaceText_ = nullptr;
    QComboBox* replaceField_ = nullptr;
    QCheckBox* selectedOnly_ = nullptr;
    QCheckBox* wholeCode_ = nullptr;
};

}  // namespace zendro
