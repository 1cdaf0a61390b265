#pragma once

#include <QWidget>
#include <vector>

#include "review/check_report.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;

namespace zendro {

class FindingsFilter;
class FindingsModel;

// The findings table with its filters: a kind (each entry with its count) and
// "over limit only", and under it the current finding whole, advice included.
// A finding double-clicked, or Enter on it, names its point. Tab leaves the
// table; the arrow keys move in it.
class FindingsView final : public QWidget {
    Q_OBJECT
  public:
    explicit FindingsView(QWidget* parent = nullptr);
    ~FindingsView() override;

    // Shows `findings`; the kind chosen stays chosen while the new findings have it.
    void setFindings(std::vector<review::Finding> findings);
    void clear() { setFindings({}); }

    const FindingsModel& model() const { return *model_; }
    QTableView& table() const { return *table_; }

  signals:
    void pointChosen(qlonglong point);

  private:
    void fillKinds();
    void kindChosen();
    void rowActivated(const QModelIndex& index);
    void showDetail(const QModelIndex& current);

    FindingsModel* model_ = nullptr;
    FindingsFilter* filter_ = nullptr;
    QComboBox* kinds_ = nullptr;
    QCheckBox* overOnly_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* detail_ = nullptr;
};

}  // namespace zendro
