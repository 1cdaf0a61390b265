#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <optional>
#include <vector>

#include "review/check_report.h"

namespace zendro {

// The check report's findings as a table: one row a finding, its parts in columns.
class FindingsModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Kind, Record, Point, Measured, Limit, Verdict, Advice, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setFindings(std::vector<review::Finding> findings);
    const std::vector<review::Finding>& findings() const { return findings_; }
    const review::Finding& finding(int row) const {
        return findings_[static_cast<std::size_t>(row)];
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<review::Finding> findings_;
};

// What a crew calls a kind of finding: "Closure", "Face pair", ...
QString findingKindName(review::FindingKind kind);

// The findings of one kind, or those over their limits only, sorted by any
// column: numbers as numbers, a missing number after every present one.
class FindingsFilter final : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit FindingsFilter(FindingsModel& findings, QObject* parent = nullptr);

    void setKind(std::optional<review::FindingKind> kind);
    void setOverLimitOnly(bool overOnly);

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

  private:
    const FindingsModel& findings_;
    std::optional<review::FindingKind> kind_;
    bool overOnly_ = false;
};

}  // namespace zendro
