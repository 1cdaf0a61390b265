#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <vector>

#include "adjustment/adjustment_result.h"
#include "common/length_unit.h"

namespace zendro {

// The adjustment's residuals as a table: record, kind, from, to, observed,
// residual, standardized. Each cell gives a number under kSortRole so a
// proxy sorts every column numerically; the standardized column sorts by
// its size, so the probable blunder (drawn bold and red) comes first when
// sorted descending.
class ResidualModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Record, Kind, From, To, Observed, Residual, Standardized, ColumnCount };
    static constexpr int kSortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void setResiduals(std::vector<adjustment::ObservationResidual> residuals,
                      std::optional<std::size_t> blunder, LengthUnit unit);
    const adjustment::ObservationResidual& residualAt(int row) const;
    bool isBlunder(int row) const { return blunder_ && *blunder_ == static_cast<std::size_t>(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QVariant shown(const adjustment::ObservationResidual& r, int column) const;
    double sortKey(const adjustment::ObservationResidual& r, int column) const;

    std::vector<adjustment::ObservationResidual> residuals_;
    std::optional<std::size_t> blunder_;
    LengthUnit unit_ = kDefaultFootUnit;
};

}  // namespace zendro
