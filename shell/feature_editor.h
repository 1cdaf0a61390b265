#pragma once

#include <QString>
#include <vector>

#include "features/feature_grid.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace zendro {

// The rows of the "Edit Features" page: the grid holds exactly the entries of
// the point-feature file; the label and the two boxes show the chosen row, and
// typing in a box changes that row at once. Until a row is chosen the boxes
// change nothing.
class FeatureEditor {
  public:
    FeatureEditor(QTableWidget& grid, QLabel& pointLabel, QLineEdit& descriptionBox,
                  QLineEdit& commentBox);

    // Replaces every row; no row is chosen afterwards.
    void load(const std::vector<FeatureRow>& rows);
    std::vector<FeatureRow> rows() const;

    int chosenRow() const { return chosenRow_; }
    // Makes `row` the chosen one and shows its cells in the label and boxes.
    void chooseRow(int row);
    // Sets the three cells of `row` to a single space; the row stays.
    void blankRow(int row);
    // The boxes' texts into the chosen row.
    void descriptionEdited(const QString& text);
    void commentEdited(const QString& text);

  private:
    void setCell(int row, int column, const QString& text);
    QString cell(int row, int column) const;

    QTableWidget& grid_;
    QLabel& pointLabel_;
    QLineEdit& descriptionBox_;
    QLineEdit& commentBox_;
    int chosenRow_ = -1;
};

// The heading texts of the grid's columns; each column is as wide as its text.
inline constexpr const char* kGridFormat =
    "    Point         |Description|           Comment                    ";

}  // namespace zendro
