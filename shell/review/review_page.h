#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "common/job_paths.h"
#include "conversion/conversion_options.h"
#include "review/job_review.h"

class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zendro {

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

    // Reviews the job as its files are now. A change of unit puts that unit's
    // default limits in the fields.
    void showJob(const JobPaths& job, const ConversionOptions& options);
    // Reviews again with the limits in the fields.
    void refresh();

    void setSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }
    const std::optional<review::JobReview>& review() const { return review_; }
    SketchWidget& sketch() const { return *sketch_; }

  signals:
    // The point-feature entry (1-based) of a double-clicked point.
    void editEntryRequested(std::size_t entry);

  private:
    void buildControls();
    QDoubleSpinBox* limitField(const char* name, double maximum, int decimals);
    void setLimits(const review::ReviewLimits& limits);
    review::ReviewLimits limits() const;
    void findingClicked(QListWidgetItem* item);
    void pointDoubleClicked(std::size_t pointIndex);
    void exportSketch();
    void exportReport();

    ShellDialogs& dialogs_;
    SavePathChooser chooseSavePath_;
    JobPaths job_;
    ConversionOptions options_;
    std::optional<bool> shownMetric_;
    std::optional<review::JobReview> review_;

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
};

}  // namespace zendro
