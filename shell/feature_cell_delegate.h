#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace zendro {

// Edits a grid cell in place. What the user typed does not go into the cell
// directly but to `commit`, which makes it an undoable edit; the editor box
// refuses characters the point-feature file cannot hold, as `guard` says.
class FeatureCellDelegate final : public QStyledItemDelegate {
  public:
    using Commit = std::function<void(const QModelIndex& index, const QString& text)>;
    using Guard = std::function<QValidator*(QObject* parent)>;

    FeatureCellDelegate(QObject* parent, Commit commit, Guard guard);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  private:
    Commit commit_;
    Guard guard_;
};

}  // namespace zendro
