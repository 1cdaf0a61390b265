#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/job_paths.h"
#include "conversion/conversion_options.h"
#include "conversion/conversion_run.h"
#include "coordinates/control_tie.h"
#include "job/job_session.h"
#include "review/job_review.h"
#include "shell/review/export_dialog.h"
#include "shell/review/placement_choices.h"

class QLabel;
class QSplitter;

namespace zendro {

class AdjustmentTab;
class BackgroundRun;
class FindingsView;
class LimitsTab;
class PlacementTab;
class PositionsTab;
class ReportTab;
class ShellDialogs;
class SketchWidget;

// The "Review" page: the job's sketch beside its check report, the limits the
// report uses, the control, the positions and the adjustment, and the
// exports. It shows one job session, whose steps (review, placement,
// adjustment, exports, report) it runs off the window's thread, one at a
// time, as the command line runs them: the same job gives the same files.
class ReviewPage final : public QWidget {
    Q_OBJECT
  public:
    // Returns the chosen file, or empty when cancelled: (caption, filter, suggested path).
    using SavePathChooser = std::function<QString(const QString&, const QString&, const QString&)>;

    ReviewPage(ShellDialogs& dialogs, QWidget* parent = nullptr);
    ~ReviewPage() override;

    // Starts a session on the job as its files are now and reviews it, off
    // the window's thread. A change of unit puts that unit's limits in the
    // fields. `lastConversion`, the window's last run, gives the job report
    // its files written when it converted this job. The same job again keeps
    // its control, start, system and positions choice; another job starts
    // with none of the previous one's.
    void showJob(const JobPaths& job, const ConversionOptions& options,
                 const std::optional<ConversionResult>& lastConversion = std::nullopt);
    // Another job was chosen: nothing of this one is shown, kept or exported.
    void closeJob();
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

    // The level runs (the Levels page's M5 files) whose findings join the
    // job's review and whose heights its control checks and adjustment; the
    // job is reviewed again with them, an adjustment dropped.
    void setLevelFiles(std::vector<std::string> files);
    const std::vector<std::string>& levelFiles() const { return levelFiles_; }

    // True while a review, a placement, an adjustment or an export is being worked on.
    bool busy() const;

    // The limits of each unit system this session; feet and meters keep
    // their own. Setting the shown unit's limits fills the fields and
    // reviews again, but is not an edit.
    review::ReviewLimits limits(bool metric) const;
    void setLimits(bool metric, const review::ReviewLimits& limits);

    void setSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }
    // Whether `path` may be written by an export: not a file of the job, and
    // an existing file only when the user agrees to replace it (told or asked
    // through the dialogs).
    bool mayWrite(const QString& path);

    // Where the sketch and the report part; kept between sessions.
    QByteArray splitterState() const;
    void restoreSplitterState(const QByteArray& state);
    const std::optional<review::JobReview>& review() const;
    SketchWidget& sketch() const { return *sketch_; }
    AdjustmentTab& adjustmentTab() const { return *adjustment_; }
    ReportTab& reportTab() const { return *reportFields_; }
    // The tie of the placement applied, when one is wanted.
    const std::optional<coordinates::ControlTie>& tie() const;
    // The choices in use for the job shown, in memory only.
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

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildControls();
    // Forgets the control, start, system, positions choice, adjustment and
    // export file of the job shown.
    void forgetJobState();
    void placementApplied(const std::shared_ptr<JobSession>& session,
                          const PlacementChoices& choices, bool readjusted,
                          const QString& adjustmentFailure);
    QWidget* buildAdjustmentTab();
    void chooseControlFile();
    void showReview();
    void showPositions();
    void reportFailure(const std::exception_ptr& failure);
    void requestReview();
    void startWantedReview();
    void workEnded();
    std::optional<levels::LevelRunOptions> levelRuns() const;
    void startExport();
    void centreOnPoint(qlonglong point);
    void markPoint(qlonglong point);
    void pointDoubleClicked(std::size_t pointIndex);

    ShellDialogs& dialogs_;
    SavePathChooser chooseSavePath_;
    // The job shown; its steps run off the window's thread, one at a time,
    // and the page reads it only between them.
    std::shared_ptr<JobSession> session_;
    std::optional<LengthUnit> shownUnit_;
    std::uint64_t reviewRequest_ = 0;  // the newest review asked for; older results are dropped
    bool reviewWanted_ = false;        // asked for while other work ran
    bool placementWanted_ = false;     // Apply clicked while other work ran
    bool fitOnNextReview_ = false;     // another job: the sketch shows all of it
    PlacementChoices placementChoices_;
    std::shared_ptr<const coordinates::PlacementInput> placed_;  // read from placementChoices_
    ExportChoices exportChoices_;
    std::vector<std::string> levelFiles_;  // the level runs joined to the job
    bool levelsChanged_ = false;           // since the last review: its adjustment is dropped

    QSplitter* splitter_ = nullptr;
    bool splitterPlaced_ = false;  // the sizes were set, by the first layout or the memory
    SketchWidget* sketch_ = nullptr;
    QLabel* summary_ = nullptr;
    FindingsView* findings_ = nullptr;
    LimitsTab* limits_ = nullptr;
    PlacementTab* placement_ = nullptr;
    PositionsTab* positions_ = nullptr;
    AdjustmentTab* adjustment_ = nullptr;
    ReportTab* reportFields_ = nullptr;
    // Last: the work it runs holds the session, and it is ended first.
    std::unique_ptr<BackgroundRun> run_;
};

}  // namespace zendro
