#pragma once

#include <QScrollArea>
#include <array>
#include <vector>

#include "common/length_unit.h"
#include "review/review_limits.h"

class QDoubleSpinBox;
class QPushButton;
class QTimer;

namespace zendro {

// The Review page's "Limits" tab: one field a row of the limit table, in the
// unit of the job shown. Feet and meters keep their own limits this session;
// a change of a field re-checks once the typing pauses.
class LimitsTab final : public QScrollArea {
    Q_OBJECT
  public:
    // `check` re-checks at once; the tab places it under the fields.
    LimitsTab(QPushButton* check, QWidget* parent = nullptr);

    review::ReviewLimits limits(bool metric) const { return limitsBySystem_[metric ? 1 : 0]; }
    // Sets a unit system's limits; the fields show them when it is shown.
    // Not an edit.
    void setLimits(bool metric, const review::ReviewLimits& limits);
    // The fields in this unit's values and symbols.
    void showUnit(LengthUnit unit);
    review::ReviewLimits shownLimits() const { return limits(isMetric(shownUnit_)); }

  signals:
    // The crew changed a field of that unit system (told at once).
    void edited(bool metric);
    // The typing has paused after an edit: time to check again.
    void recheckWanted();

  private:
    void fillFields();
    void fieldEdited();

    std::array<review::ReviewLimits, 2> limitsBySystem_;  // feet, meters
    LengthUnit shownUnit_ = kDefaultFootUnit;
    std::vector<QDoubleSpinBox*> fields_;  // one a row of the limit table
    QTimer* recheck_ = nullptr;
};

}  // namespace zendro
