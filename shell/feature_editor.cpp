#include "shell/feature_editor.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>
#include <exception>
#include <numeric>

#include "common/file_io.h"
#include "shell/failure_text.h"
#include "shell/feature_cell_delegate.h"
#include "shell/feature_edit_command.h"
#include "shell/find_replace_bar.h"
#include "shell/latin1_guard.h"
#include "shell/margin_keeper.h"
#include "shell/shell_dialogs.h"
#include "shell/text_codec.h"
#include "shell/whole_code_replace.h"

namespace zendro {
namespace {

constexpr FeatureField kFields[] = {FeatureField::Name, FeatureField::Description,
                                    FeatureField::Comment};

int column(FeatureField field) { return static_cast<int>(field); }

// Point names are numbers: 11 sorts before 100503. Other texts sort as text.
int compareCells(const QString& left, const QString& right) {
    bool leftIsNumber = false;
    bool rightIsNumber = false;
    const qlonglong leftNumber = left.trimmed().toLongLong(&leftIsNumber);
    const qlonglong rightNumber = right.trimmed().toLongLong(&rightIsNumber);
    if (leftIsNumber && rightIsNumber) {
        return leftNumber < rightNumber ? -1 : (leftNumber > rightNumber ? 1 : 0);
    }
    if (leftIsNumber != rightIsNumber) return leftIsNumber ? -1 : 1;
    return left.compare(right);
}

// A cell that knows the row of the file it shows; equal cells keep file order.
class FeatureItem final : public QTableWidgetItem {
  public:
    FeatureItem(std::size_t fileRow, const QString& text)
        : QTableWidgetItem(text), fileRow_(fileRow) {}

    std::size_t fileRow() const { return fileRow_; }

    bool operator<(const QTableWidgetItem& other) const override {
        const auto* that = dynamic_cast<const FeatureItem*>(&other);
        if (that == nullptr) return QTableWidgetItem::operator<(other);
        const int order = compareCells(text(), that->text());
        return order != 0 ? order < 0 : fileRow_ < that->fileRow_;
    }

  private:
    std::size_t fileRow_;
};

void setTextQuietly(QLineEdit& box, const QString& text) {
    // Unchanged text keeps the cursor where the user is typing.
    if (box.text() == text) return;
    const QSignalBlocker block(box);
    box.setText(text);
}

}  // namespace

FeatureEditor::FeatureEditor(ShellDialogs& dialogs, QWidget& window,
                             const FeatureEditorControls& controls)
    : dialogs_(dialogs), window_(window), controls_(controls), grid_(controls.grid) {
    // The grid's cell editors and pending messages may outlive the editor
    // while the window is taken down.
    const QPointer<FeatureEditor> self(this);
    const auto guard = [self](QObject* parent) {
        return new Latin1Guard(parent, [self](char32_t refused) {
            if (self) self->report(refusedCharacterMessage(refused), MessageKind::Warning);
        });
    };
    controls_.descriptionBox.setValidator(guard(&controls_.descriptionBox));
    controls_.commentBox.setValidator(guard(&controls_.commentBox));
    grid_.setItemDelegate(new FeatureCellDelegate(
        &grid_,
        [self](const QModelIndex& index, const QString& text) {
            const auto field = static_cast<FeatureField>(index.column());
            if (self && field != FeatureField::Name) {
                self->commitCell(self->fileRow(index.row()), field, text, false);
            }
        },
        guard));

    findBar_ = new FindReplaceBar(&controls_.page);
    findBar_->setReplacementValidator(guard(findBar_));
    connect(findBar_, &FindReplaceBar::findRequested, this,
            [this](const QString& text, bool forward) { findNext(text, forward); });
    connect(
        findBar_, &FindReplaceBar::replaceRequested, this,
        [this](const QString& find, const QString& replacement, bool comments, bool selectedOnly,
               bool wholeCode) {
            replace(find, replacement, comments ? FeatureField::Comment : FeatureField::Description,
                    selectedOnly, wholeCode);
        });
    connect(findBar_, &FindReplaceBar::visibilityChanged, this, [this] {
        gridKeeper_->setReserve(findBar_->isVisible() ? findBar_->sizeHint().height() + 2 : 0);
        placeFindBar();
    });

    gridKeeper_ = new MarginKeeper(grid_, MarginKeeper::Mode::Grow);
    new MarginKeeper(controls_.doneButton, MarginKeeper::Mode::BottomCentre);
    setUpGrid();
    setUpActions();
    enableBoxes(false);
}

void FeatureEditor::enableBoxes(bool enabled) {
    // Typed before a row is chosen, the text would go nowhere.
    controls_.descriptionBox.setEnabled(enabled);
    controls_.commentBox.setEnabled(enabled);
}

FeatureEditor::~FeatureEditor() = default;

void FeatureEditor::setUpGrid() {
    grid_.setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    // Several rows can be selected for Replace; Shift alone with a click
    // blanks a row.
    grid_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_.horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    grid_.setSortingEnabled(true);
    grid_.installEventFilter(this);
    grid_.viewport()->installEventFilter(this);
    for (const FeatureField field : kFields) fitColumn(field);
}

void FeatureEditor::setUpActions() {
    // The standard keys of the desktop, and the ones the page has always had.
    const auto keys = [](QKeySequence::StandardKey standard, QKeySequence own) {
        QList<QKeySequence> result = QKeySequence::keyBindings(standard);
        if (!result.contains(own)) result.append(own);
        return result;
    };
    const auto make = [this](const QString& text, const QList<QKeySequence>& shortcuts,
                             const QString& tip, std::function<void()> run) {
        auto* action = new QAction(text, &controls_.page);
        action->setShortcuts(shortcuts);
        action->setToolTip(tip);
        // On the page itself as well, so its keys work wherever the menu is.
        controls_.page.addAction(action);
        connect(action, &QAction::triggered, this, std::move(run));
        for (const QKeySequence& key : shortcuts) shortcutKeys_.push_back(key);
        return action;
    };
    actions_.undo = make(tr("&Undo"), keys(QKeySequence::Undo, Qt::CTRL | Qt::Key_Z),
                         tr("Undo the last edit of the point features"),
                         [this] { undoStack_.undo(); });
    actions_.redo = make(tr("&Redo"), keys(QKeySequence::Redo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                         tr("Redo the edit undone last"), [this] { undoStack_.redo(); });
    actions_.find = make(tr("&Find..."), keys(QKeySequence::Find, Qt::CTRL | Qt::Key_F),
                         tr("Find a point, description or comment in the grid"),
                         [this] { findBar_->openFind(); });
    actions_.replace = make(tr("R&eplace..."), keys(QKeySequence::Replace, Qt::CTRL | Qt::Key_H),
                            tr("Replace a text in the descriptions or comments"),
                            [this] { findBar_->openReplace(); });
    actions_.save = make(tr("&Save Features"), keys(QKeySequence::Save, Qt::CTRL | Qt::Key_S),
                         tr("Save the point features to the point-feature file"),
                         [this] { save(); });
    connect(&undoStack_, &QUndoStack::canUndoChanged, this, [this] { enableActions(); });
    connect(&undoStack_, &QUndoStack::canRedoChanged, this, [this] { enableActions(); });
    controls_.page.installEventFilter(this);
    enableActions();
    // The boxes would take Ctrl+Z for their own undo; the editor's undo
    // covers their edits as well.
    controls_.descriptionBox.installEventFilter(this);
    controls_.commentBox.installEventFilter(this);
}

void FeatureEditor::enableActions() {
    // Not while the page waits for its rows either.
    const bool shown = controls_.page.isVisible() && controls_.page.isEnabled();
    actions_.undo->setEnabled(shown && undoStack_.canUndo());
    actions_.redo->setEnabled(shown && undoStack_.canRedo());
    for (QAction* action : {actions_.find, actions_.replace, actions_.save}) {
        action->setEnabled(shown);
    }
}

void FeatureEditor::load(const std::vector<FeatureRow>& rows, const std::string& sourcePath) {
    rows_ = rows;
    savedRows_ = rows_;
    sourcePath_ = sourcePath;
    undoStack_.clear();
    chosenRow_ = -1;
    enableBoxes(false);
    items_.assign(rows_.size(), {});
    {
        const QSignalBlocker blockGrid(grid_);
        // Filled and shown in file order until the user sorts.
        grid_.setSortingEnabled(false);
        grid_.clearContents();
        grid_.setRowCount(static_cast<int>(rows_.size()));
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            for (const FeatureField field : kFields) {
                auto* item = new FeatureItem(r, fromFileText(fieldText(rows_[r], field)));
                // The point name changes only by blanking.
                if (field == FeatureField::Name) {
                    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                }
                grid_.setItem(static_cast<int>(r), column(field), item);
                items_[r][static_cast<std::size_t>(column(field))] = item;
            }
        }
        grid_.horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        grid_.setSortingEnabled(true);
        grid_.setCurrentCell(-1, -1);
        grid_.clearSelection();
    }
    for (const FeatureField field : kFields) fitColumn(field);
    const QSignalBlocker blockDescription(controls_.descriptionBox);
    const QSignalBlocker blockComment(controls_.commentBox);
    controls_.pointLabel.setText(QStringLiteral("POINT"));
    controls_.descriptionBox.setText(QStringLiteral("Description"));
    controls_.commentBox.setText(QStringLiteral("Comment"));
}

bool FeatureEditor::save() {
    commitOpenCellEditor();
    // Only a file the rows came from is written: never an empty file where
    // there was none, which would stand in for the CTX file's descriptions.
    if (sourcePath_.empty()) return true;
    try {
        writeFileAtomically(sourcePath_, composeFeatureFile(rows_));
    } catch (const std::exception& error) {
        report(failureText(error, sourcePath_), MessageKind::Error);
        return false;
    }
    savedRows_ = rows_;
    undoStack_.setClean();
    return true;
}

bool FeatureEditor::settleUnsavedEdits() {
    commitOpenCellEditor();
    if (!hasUnsavedEdits()) return true;
    const QString question =
        QStringLiteral("The point features have unsaved edits. Save them to %1?")
            .arg(fromPath(sourcePath_));
    switch (dialogs_.askAboutUnsavedEdits(dialogParent(), question)) {
        case UnsavedEditsChoice::Save:
            return save();
        case UnsavedEditsChoice::Discard: {
            const std::vector<FeatureRow> saved = savedRows_;
            load(saved, sourcePath_);
            return true;
        }
        case UnsavedEditsChoice::Cancel:
            break;
    }
    return false;
}

void FeatureEditor::chooseRow(int viewRow) {
    const int row = fileRow(viewRow);
    if (row < 0) return;
    chosenRow_ = row;
    showChosen();
}

std::optional<std::string> FeatureEditor::blankRow(int viewRow) {
    const int row = fileRow(viewRow);
    if (row < 0) return std::nullopt;
    std::vector<CellEdit> edits;
    for (const FeatureField field : kFields) {
        const std::string& before = fieldText(rows_[static_cast<std::size_t>(row)], field);
        if (before != " ") edits.push_back({static_cast<std::size_t>(row), field, before, " "});
    }
    if (edits.empty()) return std::nullopt;
    std::string name = rows_[static_cast<std::size_t>(row)].name;
    push(QStringLiteral("Blank row"), std::move(edits), false);
    return name;
}

void FeatureEditor::descriptionEdited(const QString& text) {
    if (chosenRow_ >= 0) commitCell(chosenRow_, FeatureField::Description, text, true);
}

void FeatureEditor::commentEdited(const QString& text) {
    if (chosenRow_ >= 0) commitCell(chosenRow_, FeatureField::Comment, text, true);
}

bool FeatureEditor::findNext(const QString& text, bool forward) {
    const int count = grid_.rowCount();
    const std::string wanted = toFileText(text);
    if (count > 0 && !firstNonLatin1(text)) {
        const int current = grid_.currentRow();
        const int start = current >= 0 ? current : (forward ? -1 : count);
        for (int step = 1; step <= count; ++step) {
            const int viewRow = ((forward ? start + step : start - step) % count + count) % count;
            const auto field =
                firstFieldContaining(rows_[static_cast<std::size_t>(fileRow(viewRow))], wanted);
            if (field) {
                makeCurrent(viewRow, *field);
                findBar_->setStatus({});
                return true;
            }
        }
    }
    findBar_->setStatus(QStringLiteral("Not found"));
    return false;
}

std::size_t FeatureEditor::replace(const QString& find, const QString& replacement,
                                   FeatureField field, bool selectedRowsOnly, bool wholeCodeOnly) {
    std::vector<std::size_t> rows;
    if (selectedRowsOnly) {
        for (const QModelIndex& index : grid_.selectionModel()->selectedRows()) {
            rows.push_back(static_cast<std::size_t>(fileRow(index.row())));
        }
    } else {
        rows.resize(rows_.size());
        std::iota(rows.begin(), rows.end(), std::size_t{0});
    }
    std::vector<CellEdit> edits;
    if (!firstNonLatin1(find)) {
        const std::string found = toFileText(find);
        const std::string put = toFileText(replacement);
        edits = wholeCodeOnly ? replaceWholeCodes(rows_, field, found, put, rows)
                              : replaceInField(rows_, field, found, put, rows);
    }
    if (replacement.isEmpty() && !edits.empty() &&
        !dialogs_.confirm(dialogParent(),
                          QStringLiteral("Replace with nothing erases \"%1\" from %2 cells. "
                                         "Erase it?")
                              .arg(find)
                              .arg(edits.size()))) {
        findBar_->setStatus(QStringLiteral("Nothing replaced"));
        return 0;
    }
    const std::size_t changed = edits.size();
    if (changed > 0) push(QStringLiteral("Replace"), std::move(edits), false);
    findBar_->setStatus(changed == 1 ? QStringLiteral("1 cell changed")
                                     : QStringLiteral("%1 cells changed").arg(changed));
    return changed;
}

bool FeatureEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &controls_.page &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide ||
         event->type() == QEvent::EnabledChange)) {
        enableActions();
    }
    if (event->type() == QEvent::ShortcutOverride &&
        (watched == &controls_.descriptionBox || watched == &controls_.commentBox)) {
        const QKeySequence keys(static_cast<QKeyEvent*>(event)->keyCombination());
        // Left unaccepted, the key goes to the editor's shortcut.
        if (std::find(shortcutKeys_.begin(), shortcutKeys_.end(), keys) != shortcutKeys_.end()) {
            return true;
        }
    }
    if (watched == &grid_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        placeFindBar();
    }
    if (watched == grid_.viewport() && event->type() == QEvent::Resize) fitCommentColumn();
    return QObject::eventFilter(watched, event);
}

void FeatureEditor::commitOpenCellEditor() {
    // A cell being edited in place holds text the rows do not have yet.
    const QModelIndex current = grid_.currentIndex();
    if (const auto* box = qobject_cast<const QLineEdit*>(grid_.indexWidget(current))) {
        commitCell(fileRow(current.row()), static_cast<FeatureField>(current.column()), box->text(),
                   false);
    }
}

void FeatureEditor::commitCell(int row, FeatureField field, const QString& text, bool typing) {
    if (row < 0) return;
    const auto index = static_cast<std::size_t>(row);
    std::string after = toFileText(text);
    const std::string& before = fieldText(rows_[index], field);
    if (after == before) return;
    push(field == FeatureField::Description ? QStringLiteral("Edit description")
                                            : QStringLiteral("Edit comment"),
         {{index, field, before, std::move(after)}}, typing);
}

void FeatureEditor::push(const QString& what, std::vector<CellEdit> edits, bool typing) {
    undoStack_.push(new FeatureEditCommand(
        what, std::move(edits),
        [this](const std::vector<CellEdit>& applied, bool forward) { apply(applied, forward); },
        typing));
}

void FeatureEditor::apply(const std::vector<CellEdit>& edits, bool forward) {
    applyCellEdits(rows_, edits, forward);
    bool chosenChanged = false;
    bool fieldChanged[std::size(kFields)] = {};
    // A sorted grid would sort again after every cell; once at the end will do.
    const bool resort = edits.size() > 1 && grid_.isSortingEnabled();
    if (resort) grid_.setSortingEnabled(false);
    for (const CellEdit& edit : edits) {
        const auto at = static_cast<std::size_t>(column(edit.field));
        items_[edit.row][at]->setText(fromFileText(fieldText(rows_[edit.row], edit.field)));
        fieldChanged[at] = true;
        chosenChanged = chosenChanged || static_cast<int>(edit.row) == chosenRow_;
    }
    if (resort) grid_.setSortingEnabled(true);
    if (chosenChanged) showChosen();
    for (const FeatureField field : kFields) {
        if (fieldChanged[column(field)]) fitColumn(field);
    }
}

void FeatureEditor::showChosen() {
    const FeatureRow& row = rows_[static_cast<std::size_t>(chosenRow_)];
    controls_.pointLabel.setText(fromFileText(row.name));
    setTextQuietly(controls_.descriptionBox, fromFileText(row.description));
    setTextQuietly(controls_.commentBox, fromFileText(row.comment));
    enableBoxes(true);
}

int FeatureEditor::fileRow(int viewRow) const {
    const auto* item = dynamic_cast<const FeatureItem*>(grid_.item(viewRow, 0));
    return item != nullptr ? static_cast<int>(item->fileRow()) : -1;
}

void FeatureEditor::makeCurrent(int viewRow, FeatureField field) {
    grid_.setCurrentCell(viewRow, column(field),
                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid_.scrollToItem(grid_.item(viewRow, column(field)));
}

void FeatureEditor::fitColumn(FeatureField field) {
    // The comment column takes the room the others leave.
    if (field != FeatureField::Comment) grid_.resizeColumnToContents(column(field));
    fitCommentColumn();
}

void FeatureEditor::fitCommentColumn() {
    const int comment = column(FeatureField::Comment);
    const int rest = grid_.viewport()->width() - grid_.columnWidth(0) - grid_.columnWidth(1);
    // The heading's size hint is measured in bold, as it shows on a selection.
    grid_.setColumnWidth(comment,
                         std::max(rest, grid_.horizontalHeader()->sectionSizeHint(comment)));
}

void FeatureEditor::placeFindBar() {
    const QRect gridPlace = grid_.geometry();
    findBar_->setGeometry(gridPlace.left(), gridPlace.bottom() + 3, gridPlace.width(),
                          findBar_->sizeHint().height());
}

void FeatureEditor::report(const QString& text, MessageKind kind) {
    dialogs_.showMessage(dialogParent(), text, kind);
}

QWidget* FeatureEditor::dialogParent() const { return window_.isVisible() ? &window_ : nullptr; }

}  // namespace zendro
