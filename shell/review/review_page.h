#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "common/job_paths.h"
#include "conversion/conversion_options.h"
#include "coordinates/job_placement.h"
#include "review/job_review.h"
#include "review_view/job_report.h"
#include "shell/review/export_dialog.h"
#include "shell/review/placement_choices.h"

class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace zendro {

class AdjustmentTab;
class BackgroundRun;
class FindingsView;
class ShellDialogs;
class SketchWidget;

// The "Review" page: the job's sketch beside its check report, the limits the
// report uses, and the exports. The core computes; the page shows.
class ReviewPage final : public QWidget {
    Q_OBJECT
  public:
    // Returns the chosen file, or empty when cancelled: (caption, filter, suggested path).
    using SavePathChooser = std::function<QString(const QString&, const QString&, const QString&)>;

    ReviewPage(ShellDialogs& dialogs, QWidget* parent = nullptr);
    ~ReviewPage() override;

    // Reviews the job as its files are now, off the window's thread. A change
    // of unit puts that unit's limits in the fields. `lastConversion`, the
    // window's last run, gives the job report its files written when it
    // converted this job.
    void showJob(const JobPaths& job, const ConversionOptions& options,
                 const std::optional<ConversionResult>& lastConversion = std::nullopt);
    // Reviews again with the limits in the fields and the placement applied
    // last, off the window's thread; a newer request supersedes one running.
    void refresh();
    // Reads the control file, start and system in the fields and reviews again
    // with them, off the window's thread. A failure is shown and the previous
    // placement stays.
    void applyPlacement();

    // The page's three exports, as its buttons start them; the window's File
    // menu starts them too.
    void openExportDialog();
    void exportSketch();
    void exportReport();

    // True while a review, a placement or an export is being worked on.
    bool busy() const;

    // The limits of each unit system this session; feet and meters keep
    // their own. Setting the shown unit's limits fills the fields and
    // reviews again, but is not an edit.
    review::ReviewLimits limits(bool metric) const;
    void setLimits(bool metric, const review::ReviewLimits& limits);

    void setSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }
    const std::optional<review::JobReview>& review() const { return review_; }
    SketchWidget& sketch() const { return *sketch_; }
    AdjustmentTab& adjustmentTab() const { return *adjustment_; }
    // The tie of the placement applied, when one is wanted.
    const std::optional<coordinates::ControlTie>& tie() const { return tie_; }
    // The choices in use this session: the page keeps them across jobs, in memory only.
    const PlacementChoices& placementChoices() const { return placementChoices_; }
    const ExportChoices& exportChoices() const { return exportChoices_; }

  signals:
    // The point-feature entry (1-based) of a double-clicked point.
    void editEntryRequested(std::size_t entry);
    // A review, placement or export run off the window's thread has ended and
    // been shown, and no newer review is waiting.
    void backgroundWorkEnded();
    // The crew changed a limit field of that unit system.
    void limitsEdited(bool metric);

  private:
    void buildControls();
    QWidget* buildPlacementTab();
    QWidget* buildPositionsTab();
    QWidget* buildAdjustmentTab();
    PlacementChoices choicesInFields() const;
    void showChoices(const PlacementChoices& choices);
    void chooseControlFile();
    void showReview();
    void showPositions();
    coordinates::JobPositions shownPositions() const;
    void startExport();
    void reportFailure(const std::exception_ptr& failure);
    QWidget* buildLimitsTab(QPushButton* check);
    void fillLimitFields();
    void limitFieldEdited();
    review::ReviewLimits shownLimits() const;
    void requestReview();
    void startWantedReview();
    void workEnded();
    void centreOnPoint(qlonglong point);
    void pointDoubleClicked(std::size_t pointIndex);

    ShellDialogs& dialogs_;
    SavePathChooser chooseSavePath_;
    JobPaths job_;
    ConversionOptions options_;
    std::optional<bool> shownMetric_;
    std::array<review::ReviewLimits, 2> limitsByUnit_;  // feet, meters
    std::uint64_t reviewRequest_ = 0;  // the newest review asked for; older results are dropped
    bool reviewWanted_ = false;        // asked for while other work ran
    bool placementWanted_ = false;     // Apply clicked while other work ran
    bool fitOnNextReview_ = false;     // another job: the sketch shows all of it
    std::optional<review::JobReview> review_;
    std::optional<review::WrittenFiles> written_;  // by this session's conversion of the job
    PlacementChoices placementChoices_;
    coordinates::PlacementInput placement_;
    std::optional<coordinates::ControlTie> tie_;
    ExportChoices exportChoices_;

    SketchWidget* sketch_ = nullptr;
    QLabel* summary_ = nullptr;
    FindingsView* findings_ = nullptr;
    std::vector<QDoubleSpinBox*> limitFields_;  // one a row of the limit table
    QTimer* recheck_ = nullptr;                 // an edit re-checks once the typing pauses
    QLineEdit* controlFile_ = nullptr;
    QGroupBox* start_ = nullptr;
    QLineEdit* startNorth_ = nullptr;
    QLineEdit* startEast_ = nullptr;
    QLineEdit* startElevation_ = nullptr;
    QLineEdit* startAzimuth_ = nullptr;
    QLineEdit* system_ = nullptr;
    QComboBox* positionsFrame_ = nullptr;
    QListWidget* positions_ = nullptr;
    AdjustmentTab* adjustment_ = nullptr;
    // Last: the work it runs holds copies only, and it is ended first.
    std::unique_ptr<BackgroundRun> run_;
};

}  // namespace zendro
