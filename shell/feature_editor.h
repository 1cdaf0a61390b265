#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QUndoStack>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "features/feature_grid.h"
#include "features/grid_edits.h"
#include "shell/shell_dialogs.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace zendro {

class FindReplaceBar;
class MarginKeeper;

// The controls of the "Edit Features" page that the editor works with.
struct FeatureEditorControls {
    QWidget& page;
    QTableWidget& grid;
    QLabel& pointLabel;
    QLineEdit& descriptionBox;
    QLineEdit& commentBox;
    QPushButton& doneButton;
};

// The editor's commands, for the window's Edit menu. Each is enabled only
// while the page is shown (Undo and Redo only when there is a step to take),
// so their keys do nothing on the other pages.
struct FeatureEditorActions {
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* find = nullptr;
    QAction* replace = nullptr;
    QAction* save = nullptr;
};

// The rows of the "Edit Features" page. The editor keeps the rows in the
// order of the point-feature file; the grid shows them, sorted as the user
// clicks the headings. The label and the two boxes show the chosen row, and
// typing in a box changes that row at once; until a row is chosen the boxes
// change nothing. Descriptions and comments can also be edited in their cells.
// Every edit, blanking and replacement is one step on an undo stack, and the
// editor knows whether its rows differ from the file they were saved to.
class FeatureEditor final : public QObject {
  public:
    FeatureEditor(ShellDialogs& dialogs, QWidget& window, const FeatureEditorControls& controls);
    ~FeatureEditor() override;

    // Replaces every row by `rows`, read from the point-feature file at
    // `sourcePath` (empty when there is none); no row is chosen and there is
    // nothing to undo afterwards.
    void load(const std::vector<FeatureRow>& rows, const std::string& sourcePath);
    // In file order, whatever the grid's sorting.
    const std::vector<FeatureRow>& rows() const { return rows_; }
    bool hasUnsavedEdits() const { return rows_ != savedRows_; }
    // The point-feature file the rows came from; empty when there is none.
    const std::string& sourcePath() const { return sourcePath_; }
    const FeatureEditorActions& actions() const { return actions_; }

    // Writes the rows to the file they were loaded from; with no such file it
    // writes nothing. On failure the file and the rows stay as they were, a
    // message names the file, and the result is false.
    bool save();
    // Before the rows are left behind: with unsaved edits asks whether to save
    // them, discard them (the rows return to the file's) or stay. False when
    // the user stays or the save fails.
    bool settleUnsavedEdits();

    // The chosen row's index in file order, -1 before a row is chosen.
    int chosenRow() const { return chosenRow_; }
    // Rows below are counted as the grid shows them.
    // Makes `viewRow` the chosen one and shows its cells in the label and boxes.
    void chooseRow(int viewRow);
    // Sets the three cells of `viewRow` to a single space; the row stays.
    // Returns the point's name as it was, none when nothing was blanked.
    std::optional<std::string> blankRow(int viewRow);
    // The boxes' texts into the chosen row.
    void descriptionEdited(const QString& text);
    void commentEdited(const QString& text);

    // Makes the next row (or the previous one) that holds `text` in its name,
    // description or comment the current one, from the current row on and
    // round; false when no row holds it.
    bool findNext(const QString& text, bool forward);
    // Replaces `find` in one field of every row, or of the selected rows, as
    // one step to undo; returns the number of cells changed. An empty
    // replacement, which erases, is done only once the user agrees to the count.
    std::size_t replace(const QString& find, const QString& replacement, FeatureField field,
                        bool selectedRowsOnly, bool wholeCodeOnly = false);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setUpGrid();
    void setUpActions();
    void enableActions();
    void commitOpenCellEditor();
    void commitCell(int row, FeatureField field, const QString& text, bool typing);
    void push(const QString& what, std::vector<CellEdit> edits, bool typing);
    void apply(const std::vector<CellEdit>& edits, bool forward);
    void showChosen();
    void enableBoxes(bool enabled);
    int fileRow(int viewRow) const;
    void makeCurrent(int viewRow, FeatureField field);
    void fitColumn(FeatureField field);
    void fitCommentColumn();
    void placeFindBar();
    void report(const QString& text, MessageKind kind);
    QWidget* dialogParent() const;

    ShellDialogs& dialogs_;
    QWidget& window_;
    FeatureEditorControls controls_;
    QTableWidget& grid_;
    std::vector<FeatureRow> rows_;
    std::vector<FeatureRow> savedRows_;
    std::string sourcePath_;
    // The grid's cells of each row in file order; they move when it sorts.
    std::vector<std::array<QTableWidgetItem*, 3>> items_;
    int chosenRow_ = -1;
    QUndoStack undoStack_;
    FeatureEditorActions actions_;
    std::vector<QKeySequence> shortcutKeys_;
    FindReplaceBar* findBar_ = nullptr;
    MarginKeeper* gridKeeper_ = nullptr;
};

// The heading texts of the grid's columns.
inline constexpr const char* kGridFormat =
    "    Point         |Description|           Comment                    ";

}  // namespace zendro
