#include "shell/feature_editor.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>

#include "shell/text_codec.h"

namespace zendro {
namespace {

constexpr int kNameColumn = 0;
constexpr int kDescriptionColumn = 1;
constexpr int kCommentColumn = 2;

}  // namespace

FeatureEditor::FeatureEditor(QTableWidget& grid, QLabel& pointLabel, QLineEdit& descriptionBox,
                             QLineEdit& commentBox)
    : grid_(grid),
      pointLabel_(pointLabel),
      descriptionBox_(descriptionBox),
      commentBox_(commentBox) {}

void FeatureEditor::load(const std::vector<FeatureRow>& rows) {
    {
        const QSignalBlocker blockGrid(grid_);
        grid_.clearContents();
        grid_.setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < grid_.rowCount(); ++r) {
            const FeatureRow& row = rows[static_cast<std::size_t>(r)];
            grid_.setItem(r, kNameColumn, new QTableWidgetItem(fromFileText(row.name)));
            grid_.setItem(r, kDescriptionColumn,
                          new QTableWidgetItem(fromFileText(row.description)));
            grid_.setItem(r, kCommentColumn, new QTableWidgetItem(fromFileText(row.comment)));
        }
        grid_.setCurrentCell(-1, -1);
        grid_.clearSelection();
    }
    chosenRow_ = -1;
    const QSignalBlocker blockDescription(descriptionBox_);
    const QSignalBlocker blockComment(commentBox_);
    pointLabel_.setText(QStringLiteral("POINT"));
    descriptionBox_.setText(QStringLiteral("Description"));
    commentBox_.setText(QStringLiteral("Comment"));
}

std::vector<FeatureRow> FeatureEditor::rows() const {
    std::vector<FeatureRow> rows;
    rows.reserve(static_cast<std::size_t>(grid_.rowCount()));
    for (int r = 0; r < grid_.rowCount(); ++r) {
        rows.push_back({toFileText(cell(r, kNameColumn)), toFileText(cell(r, kDescriptionColumn)),
                        toFileText(cell(r, kCommentColumn))});
    }
    return rows;
}

void FeatureEditor::chooseRow(int row) {
    if (row < 0 || row >= grid_.rowCount()) return;
    chosenRow_ = row;
    pointLabel_.setText(cell(row, kNameColumn));
    // Setting the boxes writes the same texts back into the row: nothing changes.
    descriptionBox_.setText(cell(row, kDescriptionColumn));
    commentBox_.setText(cell(row, kCommentColumn));
}

void FeatureEditor::blankRow(int row) {
    if (row < 0 || row >= grid_.rowCount()) return;
    const QString blank(QLatin1Char(' '));
    setCell(row, kNameColumn, blank);
    setCell(row, kDescriptionColumn, blank);
    setCell(row, kCommentColumn, blank);
}

void FeatureEditor::descriptionEdited(const QString& text) {
    if (chosenRow_ >= 0) setCell(chosenRow_, kDescriptionColumn, text);
}

void FeatureEditor::commentEdited(const QString& text) {
    if (chosenRow_ >= 0) setCell(chosenRow_, kCommentColumn, text);
}

void FeatureEditor::setCell(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = grid_.item(row, column)) {
        item->setText(text);
    } else {
        grid_.setItem(row, column, new QTableWidgetItem(text));
    }
}

QString FeatureEditor::cell(int row, int column) const {
    const QTableWidgetItem* item = grid_.item(row, column);
    return item ? item->text() : QString();
}

}  // namespace zendro
