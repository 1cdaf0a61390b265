#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "common/job_paths.h"
#include "conversion/conversion_options.h"
#include "coordinates/job_placement.h"
#include "review/job_review.h"
#include "shell/review/export_dialog.h"
#include "shell/review/placement_choices.h"

class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zendro {

class AdjustmentTab;
class BackgroundRun;
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

    // Reviews the job as its files are now. A change of unit puts that unit's
    // default limits in the fields.
    void showJob(const JobPaths& job, const ConversionOptions& options);
    // Reviews again with the limits in the fields and the placement applied last.
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

    // True while a placement or an export is being worked on.
    bool busy() const;

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
    // A placement or an export run off the window's thread has ended and been shown.
    void backgroundWorkEnded();

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
    QDoubleSpinBox* limitField(const char* name, double maximum, int decimals);
    void setLimits(const review::ReviewLimits& limits);
    review::ReviewLimits limits() const;
    void findingClicked(QListWidgetItem* item);
    void pointDoubleClicked(std::size_t pointIndex);

    ShellDialogs& dialogs_;
    SavePathChooser chooseSavePath_;
    JobPaths job_;
    ConversionOptions options_;
    std::optional<bool> shownMetric_;
    std::optional<review::JobReview> review_;
    PlacementChoices placementChoices_;
    coordinates::PlacementInput placement_;
    std::optional<coordinates::ControlTie> tie_;
    ExportChoices exportChoices_;

    SketchWidget* sketch_ = nullptr;
    QLabel* summary_ = nullptr;
    QListWidget* findings_ = nullptr;
    QDoubleSpinBox* closureRatio_ = nullptr;
    QDoubleSpinBox* closureElevation_ = nullptr;
    QDoubleSpinBox* backsightDistance_ = nullptr;
    QDoubleSpinBox* backsightElevation_ = nullptr;
    QDoubleSpinBox* faceHorizontal_ = nullptr;
    QDoubleSpinBox* faceIndex_ = nullptr;
    QDoubleSpinBox* faceDistance_ = nullptr;
    QDoubleSpinBox* checkShotDistance_ = nullptr;
    QDoubleSpinBox* checkShotElevation_ = nullptr;
    QDoubleSpinBox* controlHorizontal_ = nullptr;
    QDoubleSpinBox* controlElevation_ = nullptr;
    QDoubleSpinBox* controlBacksight_ = nullptr;
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
