#include "shell/review/residual_model.h"

#include <QBrush>
#include <QFont>
#include <cmath>

namespace zendro {

using adjustment::ObservationKind;
using adjustment::ObservationResidual;

void ResidualModel::setResiduals(std::vector<ObservationResidual> residuals,
                                 std::optional<std::size_t> blunder, LengthUnit unit) {
    beginResetModel();
    residuals_ = std::move(residuals);
    blunder_ = blunder;
    unit_ = unit;
    endResetModel();
}

const ObservationResidual& ResidualModel::residualAt(int row) const {
    return residuals_.at(static_cast<std::size_t>(row));
}

int ResidualModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(residuals_.size());
}

int ResidualModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ResidualModel::shown(const ObservationResidual& r, int column) const {
    const bool direction = r.kind == ObservationKind::Direction;
    switch (column) {
    case Record:
        return r.record == adjustment::kNoRecord ? QVariant() : QVariant::fromValue(r.record);
    case Kind: {
        const std::string_view name = adjustment::observationKindName(r.kind);
        return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
    case From:
        return QVariant::fromValue<qlonglong>(r.from);
    case To:
        return QVariant::fromValue<qlonglong>(r.to);
    case Observed:
        return QString::number(r.observed, 'f', direction ? 5 : 4);
    case Residual:
        return direction ? QStringLiteral("%1\"").arg(r.residual, 0, 'f', 1)
                         : QStringLiteral("%1 %2").arg(r.residual, 0, 'f', 4).arg(
                               QString::fromLatin1(unitSymbol(unit_)));
    case Standardized:
        return QString::number(r.standardized, 'f', 2);
    default:
        return {};
    }
}

double ResidualModel::sortKey(const ObservationResidual& r, int column) const {
    switch (column) {
    case Record:
        return r.record == adjustment::kNoRecord ? -1.0 : static_cast<double>(r.record);
    case Kind:
        return static_cast<double>(r.kind);
    case From:
        return static_cast<double>(r.from);
    case To:
        return static_cast<double>(r.to);
    case Observed:
        return r.observed;
    case Residual:
        return r.residual;
    default:
        return std::abs(r.standardized);
    }
}

QVariant ResidualModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const ObservationResidual& r = residualAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return shown(r, index.column());
    case kSortRole:
        return sortKey(r, index.column());
    case Qt::TextAlignmentRole:
        return index.column() == Kind ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (isBlunder(index.row())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        return isBlunder(index.row()) ? QVariant(QBrush(Qt::red)) : QVariant();
    case Qt::ToolTipRole:
        return isBlunder(index.row()) ? tr("Probable blunder") : QVariant();
    default:
        return {};
    }
}

QVariant ResidualModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case Record: return tr("Record");
    case Kind: return tr("Kind");
    case From: return tr("From");
    case To: return tr("To");
    case Observed: return tr("Observed");
    case Residual: return tr("Residual");
    case Standardized: return tr("Standardized");
    default: return {};
    }
}

}  // namespace zendro
