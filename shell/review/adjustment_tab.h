#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "adjustment/apriori_sigmas.h"
#include "adjustment/job_adjustment.h"
#include "job/job_session.h"

class QDoubleSpinBox;
class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace zendro {

class BackgroundRun;
class ResidualModel;

// The reviewed job to adjust: the page's session, which the run off the
// window's thread uses alone while it runs. The tab gives it its sigmas.
struct AdjustmentRequest {
    std::shared_ptr<JobSession> session;
};

// The Review page's "Adjustment" tab: the a priori standard deviations of
// the job's unit and an "Adjust" button above the results, which take the
// tab's width: the test on one line with what a failed test means, the
// probable blunder, the points observed once that nothing checks, and the
// residuals sorted with the largest standardized first.
class AdjustmentTab final : public QWidget {
    Q_OBJECT
  public:
    // What the page has to adjust now, or nothing when no job is reviewed.
    using RequestSource = std::function<std::optional<AdjustmentRequest>()>;

    explicit AdjustmentTab(QWidget* parent = nullptr);
    ~AdjustmentTab() override;

    void setRequestSource(RequestSource source) { requestSource_ = std::move(source); }
    // Shows the fields in feet or meters; each unit keeps its own values.
    void setUnit(LengthUnit unit);
    adjustment::AprioriSigmas sigmas(bool metric) const { return sigmas_[metric ? 1 : 0]; }
    void setSigmas(bool metric, const adjustment::AprioriSigmas& sigmas);

    // Adjusts the page's job off the window's thread; adjustmentEnded follows.
    void startAdjustment();
    bool busy() const;
    // Shows no adjustment (another job is shown), with a note when one says
    // why; one still running is dropped.
    void clear(const QString& note = {});
    bool hasAdjustment() const { return adjustment_.has_value(); }
    // What the review says of the points observed once: no adjustment checks
    // them either. Empty when there are none; another job clears it.
    void setObservedOnceNote(const QString& note);
    // Shows an adjustment the page made (again, after a new placement), with
    // a note saying why.
    void showAdjusted(adjustment::JobAdjustment adjusted, LengthUnit unit, const QString& note);

  signals:
    void sigmasEdited(bool metric, adjustment::AprioriSigmas sigmas);
    // An adjustment has ended and its result (or why it failed) is shown.
    void adjustmentEnded();
    // A residual was clicked: the point it was observed to.
    void pointChosen(qlonglong number);

  private:
    QDoubleSpinBox* sigmaField(const char* name, double maximum, int decimals);
    void showSigmas();
    void readSigmas();
    void showAdjustment();
    void residualClicked(const QModelIndex& index);

    std::array<adjustment::AprioriSigmas, 2> sigmas_;  // feet, meters
    LengthUnit unit_ = kDefaultFootUnit;
    bool showingSigmas_ = false;
    RequestSource requestSource_;
    std::optional<adjustment::JobAdjustment> adjustment_;  // as shown
    LengthUnit adjustedUnit_ = kDefaultFootUnit;
    std::uint64_t generation_ = 0;  // what is shown; a result of an older one is dropped

    QDoubleSpinBox* direction_ = nullptr;
    QDoubleSpinBox* zenith_ = nullptr;
    QDoubleSpinBox* distanceConstant_ = nullptr;
    QDoubleSpinBox* distancePpm_ = nullptr;
    QDoubleSpinBox* instrumentCentring_ = nullptr;
    QDoubleSpinBox* targetCentring_ = nullptr;
    std::array<QLabel*, 3> unitLabels_{};
    QLabel* note_ = nullptr;
    QLabel* statistics_ = nullptr;
    QLabel* advice_ = nullptr;
    QLabel* blunder_ = nullptr;
    QLabel* notDetermined_ = nullptr;
    QLabel* observedOnce_ = nullptr;
    ResidualModel* residuals_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    // Last: the work it runs holds copies only, and it is ended first.
    std::unique_ptr<BackgroundRun> run_;
};

}  // namespace zendro
