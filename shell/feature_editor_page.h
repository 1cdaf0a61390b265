#pragma once

#include <QString>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "features/feature_grid.h"
#include "shell/shell_dialogs.h"
#include "shell/twips_page.h"

class QLabel;
class QLineEdit;
class QMouseEvent;
class QPushButton;
class QTableWidget;

namespace zendro {

class FeatureEditor;

// The "Edit Features" page: the grid of the job's points, the chosen point's
// label and boxes, and Done. Its FeatureEditor keeps the rows; the window
// loads them and is told when Done has saved them.
class FeatureEditorPage final : public TwipsPage {
    Q_OBJECT

  public:
    // `window`: the parent of the editor's questions and messages.
    FeatureEditorPage(ShellDialogs& dialogs, QWidget& window, QWidget* parent);
    ~FeatureEditorPage() override;

    // There from the time the page is settled at the window's scale.
    FeatureEditor& editor() const { return *editor_; }

    // Shows `rows`, read from the file at `sourcePath` (empty: none), the
    // first one chosen; the note of the last blanking goes.
    void load(const std::vector<FeatureRow>& rows, const std::string& sourcePath);
    // A row clicked or reached with the keys.
    void chooseRow(int viewRow);
    // A press on the grid: Shift alone blanks the row under the pointer and
    // says so. True when it did: the press then selects nothing.
    bool blankRowOnPress(const QMouseEvent& event);
    void descriptionEdited(const QString& text);
    void commentEdited(const QString& text);
    // Done: saves the rows; `saved` follows unless the save failed.
    void done();
    // Makes the row of the point-feature entry `entry` (from 1, file order
    // while unsorted) the current one, in view.
    void showEntry(std::size_t entry);

    // The page's controls in the order the Tab key visits them.
    std::vector<QWidget*> tabStops() const;

  signals:
    // The rows are in their file; `edited`: they differed from it before.
    void saved(bool edited);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void settled() override;

    ShellDialogs& dialogs_;
    QWidget& window_;
    QLineEdit* commentBox_ = nullptr;
    QLineEdit* descriptionBox_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QPushButton* doneButton_ = nullptr;
    QLabel* pointLabel_ = nullptr;
    QLabel* editNote_ = nullptr;  // what the last blanking did
    std::unique_ptr<FeatureEditor> editor_;
};

// The feature editor's note after a Shift-click blanked `point`'s row.
QString blankedRowNote(const QString& point);

}  // namespace zendro
