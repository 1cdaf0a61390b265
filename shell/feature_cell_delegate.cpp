#include "shell/feature_cell_delegate.h"

#include <QLineEdit>

namespace zendro {

FeatureCellDelegate::FeatureCellDelegate(QObject* parent, Commit commit, Guard guard)
    : QStyledItemDelegate(parent), commit_(std::move(commit)), guard_(std::move(guard)) {}

QWidget* FeatureCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* box = qobject_cast<QLineEdit*>(editor)) {
        box->setObjectName(QStringLiteral("CellEditor"));
        box->setValidator(guard_(box));
    }
    return editor;
}

void FeatureCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* /*model*/,
                                       const QModelIndex& index) const {
    if (const auto* box = qobject_cast<const QLineEdit*>(editor)) commit_(index, box->text());
}

}  // namespace zendro
