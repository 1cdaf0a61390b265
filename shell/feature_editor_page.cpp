#include "shell/feature_editor_page.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <optional>

#include "shell/feature_editor.h"
#include "shell/text_codec.h"

namespace zendro {

FeatureEditorPage::FeatureEditorPage(ShellDialogs& dialogs, QWidget& window, QWidget* parent)
    : TwipsPage("Frame3", {}, twips(240, 600, 4695, 4215), parent),
      dialogs_(dialogs),
      window_(window) {
    commentBox_ = textBox(this, "ComText1", "Comment", twips(2280, 240, 2175, 285));
    descriptionBox_ = textBox(this, "GridText1", "Description", twips(1200, 240, 975, 285));
    grid_ = place(new QTableWidget(0, 3, this), "PointGrid1", twips(120, 600, 4455, 3015));
    grid_->setHorizontalHeaderLabels(QString::fromLatin1(kGridFormat).split(QLatin1Char('|')));
    grid_->verticalHeader()->hide();
    grid_->setWordWrap(false);
    // Tab leaves the grid; the arrow keys move between its cells.
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    doneButton_ = button(this, "Command1", "Done", nullptr, twips(1800, 3720, 1095, 375));
    pointLabel_ = label(this, "GridLabel1", "POINT", twips(240, 240, 855, 255));
    editNote_ = label(this, "EditStatus", "", twips(120, 3720, 1620, 375), false);
    editNote_->setWordWrap(true);

    const std::pair<QWidget*, const char*> tips[] = {
        {doneButton_, "Save the point features and go back to the conversion page"},
        {descriptionBox_, "The chosen point's description: typing changes it at once"},
        {commentBox_, "The chosen point's comment: typing changes it at once"},
        {grid_,
         "The job's points: click to choose, double-click to edit, Shift+click to blank a row"},
    };
    for (const auto& [control, tip] : tips) control->setToolTip(QString::fromLatin1(tip));
}

FeatureEditorPage::~FeatureEditorPage() = default;

void FeatureEditorPage::settled() {
    // The editor keeps the grid's distances to the page's edges as laid out now.
    editor_ = std::make_unique<FeatureEditor>(
        dialogs_, window_,
        FeatureEditorControls{*this, *grid_, *pointLabel_, *descriptionBox_, *commentBox_,
                              *doneButton_});
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) { chooseRow(row); });
    // Moving through the rows with the keyboard chooses rows as clicks do.
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (row >= 0) chooseRow(row);
    });
    // After the editor's own: a blanking press must not reach it.
    grid_->viewport()->installEventFilter(this);
    connect(descriptionBox_, &QLineEdit::textChanged, this,
            [this](const QString& text) { descriptionEdited(text); });
    connect(commentBox_, &QLineEdit::textChanged, this,
            [this](const QString& text) { commentEdited(text); });
    connect(doneButton_, &QPushButton::clicked, this, [this] { done(); });
}

std::vector<QWidget*> FeatureEditorPage::tabStops() const {
    return {descriptionBox_, commentBox_, grid_, doneButton_};
}

void FeatureEditorPage::load(const std::vector<FeatureRow>& rows, const std::string& sourcePath) {
    editNote_->clear();
    editor_->load(rows, sourcePath);
    // The keys work at once: the first point is the chosen one.
    if (grid_->rowCount() > 0) grid_->setCurrentCell(0, 1);
}

void FeatureEditorPage::chooseRow(int viewRow) { editor_->chooseRow(viewRow); }

bool FeatureEditorPage::blankRowOnPress(const QMouseEvent& event) {
    constexpr Qt::KeyboardModifiers kHeld =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((event.modifiers() & kHeld) != Qt::ShiftModifier) return false;
    // The row under the pointer; the selection stays, since Shift would extend it.
    const std::optional<std::string> point =
        editor_->blankRow(grid_->rowAt(event.position().toPoint().y()));
    if (!point) return false;
    editNote_->setText(blankedRowNote(fromFileText(*point)));
    return true;
}

QString blankedRowNote(const QString& point) {
    return QStringLiteral("Point %1 blanked; Ctrl+Z undoes").arg(point.trimmed());
}

void FeatureEditorPage::descriptionEdited(const QString& text) {
    editor_->descriptionEdited(text);
}

void FeatureEditorPage::commentEdited(const QString& text) { editor_->commentEdited(text); }

void FeatureEditorPage::done() {
    // On failure the previous file and the grid stay as they are.
    const bool edited = editor_->hasUnsavedEdits();
    if (!editor_->save()) return;
    emit saved(edited);
}

void FeatureEditorPage::showEntry(std::size_t entry) {
    const int row = static_cast<int>(entry) - 1;
    if (row >= grid_->rowCount()) return;
    grid_->setCurrentCell(row, 1);
    grid_->scrollToItem(grid_->item(row, 1));
}

bool FeatureEditorPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonPress &&
        blankRowOnPress(*static_cast<QMouseEvent*>(event))) {
        return true;
    }
    return TwipsPage::eventFilter(watched, event);
}

}  // namespace zendro
