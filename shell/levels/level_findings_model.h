#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <optional>
#include <vector>

#include "levels/level_finding.h"

namespace zendro {

// A level run's findings as a table: one row a finding, its parts in
// columns; the whole line is the row's tooltip.
class LevelFindingsModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Check, Place, Point, Measured, Limit, Verdict, Advice, ColumnCount };
    // The number a column sorts by: the value, or the place's line in its file.
    static constexpr int kSortRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void setFindings(std::vector<levels::LevelFinding> findings);
    const levels::LevelFinding& finding(int row) const {
        return findings_[static_cast<std::size_t>(row)];
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<levels::LevelFinding> findings_;
};

// Sorts by any column: numbers as numbers, a missing one after every present
// one whichever way the column is sorted; shows one check's findings, or
// only those over their limits, when asked. Its source is a LevelFindingsModel.
class LevelFindingsSorter final : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setCheck(std::optional<levels::LevelCheck> check);
    void setOverLimitOnly(bool only);

  protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    std::optional<levels::LevelCheck> check_;
    bool overLimitOnly_ = false;
};

}  // namespace zendro
