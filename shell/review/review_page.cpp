#include "shell/review/review_page.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>
#include <utility>

#include "common/run_observer.h"
#include "conversion/header_clock.h"
#include "job/owned_files.h"
#include "review/sketch_model.h"
#include "shell/background_run.h"
#include "shell/review/adjustment_tab.h"
#include "shell/review/findings_view.h"
#include "shell/review/limits_tab.h"
#include "shell/review/placement_tab.h"
#include "shell/review/positions_tab.h"
#include "shell/review/report_tab.h"
#include "shell/review/review_widgets.h"
#include "shell/review/sketch_export_dialog.h"
#include "shell/review/sketch_widget.h"
#include "shell/review/window_drawing.h"
#include "shell/shell_dialogs.h"

namespace zendro {
namespace {

QString defaultSaveChooser(const QString& caption, const QString& filter,
                           const QString& suggested) {
    // The page asks before it replaces a file, once, when the file is written.
    return QFileDialog::getSaveFileName(nullptr, caption, suggested, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

// The day a report is made: SOURCE_DATE_EPOCH's when it names one, as the
// conversion's headers take it.
std::string today() {
    NullObserver quiet;
    return isoDate(defaultHeaderClock(quiet)());
}

const std::optional<review::JobReview> kNoReview;
const std::optional<coordinates::ControlTie> kNoTie;

// The widths of the sketch and of the report, 4 to 5.
constexpr int kSketchShare = 4;
constexpr int kReportShare = 5;

}  // namespace

ReviewPage::ReviewPage(ShellDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      chooseSavePath_(defaultSaveChooser),
      run_(std::make_unique<BackgroundRun>([](const QString&) {}, [](int) {})) {
    buildControls();
}

ReviewPage::~ReviewPage() = default;

bool ReviewPage::busy() const {
    return run_->running() || reviewWanted_ || placementWanted_ || adjustment_->busy();
}

const std::optional<review::JobReview>& ReviewPage::review() const {
    return session_ ? session_->reviewed() : kNoReview;
}

const std::optional<coordinates::ControlTie>& ReviewPage::tie() const {
    return session_ ? session_->tie() : kNoTie;
}

void ReviewPage::buildControls() {
    setObjectName(QStringLiteral("ReviewPage"));
    sketch_ = new SketchWidget(this);
    sketch_->setObjectName(QStringLiteral("ReviewSketch"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("ReviewSummary"));
    summary_->setWordWrap(true);
    findings_ = new FindingsView(this);

    QPushButton* check =
        button(this, "ReviewCheck", tr("Check"), tr("Review the job again with these limits"));
    QPushButton* fit =
        button(this, "ReviewFit", tr("Fit"), tr("Show the whole job in the sketch (key 0)"));
    QPushButton* sketchExport = button(this, "ReviewExportSketch", tr("Export Sketch..."),
                                       tr("Save the plan sheet as SVG, PDF or PNG"));
    QPushButton* reportExport = button(this, "ReviewExportReport", tr("Export Report..."),
                                       tr("Save the job report as PDF or text"));
    QPushButton* pointsExport =
        button(this, "ReviewExport", tr("Export..."),
               tr("Export the points and chains: CSV, LandXML, DXF, GeoPackage, KML or GeoJSON"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {fit, sketchExport, reportExport, pointsExport}) buttons->addWidget(b);
    buttons->addStretch(1);

    limits_ = new LimitsTab(check, this);
    placement_ = new PlacementTab(this);
    positions_ = new PositionsTab(this);
    reportFields_ = new ReportTab(this);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("ReviewTabs"));
    tabs->addTab(findings_, tr("Findings"));
    tabs->addTab(limits_, tr("Limits"));
    tabs->addTab(placement_, tr("Control"));
    tabs->addTab(positions_, tr("Positions"));
    tabs->addTab(buildAdjustmentTab(), tr("Adjustment"));
    tabs->addTab(reportFields_, tr("Report"));

    auto* beside = new QWidget(this);
    auto* besideLayout = new QVBoxLayout(beside);
    besideLayout->setContentsMargins(0, 0, 0, 0);
    besideLayout->addWidget(summary_);
    besideLayout->addWidget(tabs, 1);

    // Both grow with the window, the report a little more: its tables are
    // wide. The crew's own split is remembered between sessions.
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("ReviewSplitter"));
    splitter_->addWidget(sketch_);
    splitter_->addWidget(beside);
    splitter_->setStretchFactor(0, kSketchShare);
    splitter_->setStretchFactor(1, kReportShare);
    splitter_->setCollapsible(0, false);
    splitter_->setCollapsible(1, false);
    // A handle the eye finds.
    splitter_->setHandleWidth(7);
    splitter_->setStyleSheet(QStringLiteral("QSplitter::handle { background: palette(mid); }"));
    splitter_->handle(1)->setToolTip(
        tr("Drag to share the width between the sketch and the report"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter_, 1);
    layout->addLayout(buttons);

    connect(check, &QPushButton::clicked, this, [this] { refresh(); });
    connect(limits_, &LimitsTab::edited, this, &ReviewPage::limitsEdited);
    connect(limits_, &LimitsTab::recheckWanted, this, [this] {
        if (session_) refresh();
    });
    connect(placement_, &PlacementTab::chooseControlRequested, this,
            [this] { chooseControlFile(); });
    connect(placement_, &PlacementTab::applyRequested, this, [this] { applyPlacement(); });
    connect(positions_, &PositionsTab::frameChosen, this, [this] { showPositions(); });
    connect(fit, &QPushButton::clicked, sketch_, &SketchWidget::fitToWindow);
    connect(sketchExport, &QPushButton::clicked, this, [this] { exportSketch(); });
    connect(reportExport, &QPushButton::clicked, this, [this] { exportReport(); });
    connect(pointsExport, &QPushButton::clicked, this, [this] { openExportDialog(); });
    connect(findings_, &FindingsView::pointChosen, this,
            [this](qlonglong point) { markPoint(point); });
    connect(sketch_, &SketchWidget::pointDoubleClicked, this,
            [this](std::size_t index) { pointDoubleClicked(index); });
}

QWidget* ReviewPage::buildAdjustmentTab() {
    adjustment_ = new AdjustmentTab(this);
    // The session is the adjustment's alone while it runs: not while the page
    // works on it.
    adjustment_->setRequestSource([this]() -> std::optional<AdjustmentRequest> {
        if (!session_ || !session_->reviewed() || run_->running()) return std::nullopt;
        return AdjustmentRequest{session_};
    });
    connect(adjustment_, &AdjustmentTab::adjustmentEnded, this, [this] {
        if (session_ && session_->reviewed()) {
            // The sketch and the exports follow the adjustment at once.
            if (adjustment_->hasAdjustment()) {
                positions_->offer(session_->has(coordinates::PositionFrame::TiedToControl),
                                  session_->has(coordinates::PositionFrame::Adjusted));
                positions_->choose(coordinates::PositionFrame::Adjusted);
            }
            showPositions();
        }
        workEnded();
    });
    connect(adjustment_, &AdjustmentTab::pointChosen, this,
            [this](qlonglong number) { markPoint(number); });
    return adjustment_;
}

void ReviewPage::chooseControlFile() {
    const QString current = placement_->controlPath();
    const QString initial =
        current.isEmpty() && session_ ? qtText(session_->job().folderPath) : current;
    const QString path =
        dialogs_.chooseFieldFile(this, {tr("Control (*.csv *.txt)"), tr("All files (*)")},
                                 tr("Control (*.csv *.txt)"), initial);
    if (path.isEmpty()) return;
    placement_->setControlPath(path);
    applyPlacement();
}

void ReviewPage::applyPlacement() {
    // Asked for while other work runs, it follows it.
    if (run_->running() || adjustment_->busy()) {
        placementWanted_ = true;
        return;
    }
    placementWanted_ = false;
    if (!session_) return;
    const PlacementChoices choices = placement_->choices();
    if (choices.controlPath.empty() && !choices.startByHand) {
        dialogs_.showMessage(this,
                             tr("No control file and no start by hand: the job stays in its local "
                                "frame. Choose a control file with Control..., or give a start "
                                "by hand."),
                             MessageKind::Warning);
        if (choices == placementChoices_) return;  // nothing changes
    }
    const std::shared_ptr<JobSession> session = session_;
    const review::ReviewLimits limits = limits_->shownLimits();
    // An adjustment on the placement before would no longer be the job's:
    // it is made again on this one, and the tab says so.
    const bool readjust = session->adjustment().has_value();
    const adjustment::AprioriSigmas sigmas =
        adjustment_->sigmas(isMetric(session->config().options.unit));
    auto adjustmentFailure = std::make_shared<std::string>();
    const bool heightsSuffice = !levelFiles_.empty();
    auto work = [session, choices, limits, readjust, sigmas, adjustmentFailure,
                 heightsSuffice](RunObserver&) {
        JobConfig& config = session->config();
        auto placement = std::make_shared<const coordinates::PlacementInput>(
            loadPlacement(choices, config.options.unit, heightsSuffice));
        config.placement = std::move(placement);
        config.controlPath = choices.controlPath;
        config.limits = limits;
        session->dropAdjustment();
        session->review();
        if (!readjust) return;
        config.adjustment = sigmas;
        try {
            session->adjust();
        } catch (const std::exception& error) {
            *adjustmentFailure = error.what();
        }
    };
    run_->start(std::move(work), [this, session, choices, readjust,
                                  adjustmentFailure](BackgroundOutcome outcome) {
        const bool sameJob = session_ && session_->job().basePath == session->job().basePath;
        if (!sameJob) {
            // Another job is shown now: nothing of this one's placement is kept.
        } else if (outcome.failure) {
            // Nothing half-applied: the fields show the placement still in use.
            placement_->show(placementChoices_);
            reportFailure(outcome.failure);
        } else if (session == session_ && !reviewWanted_) {
            placementApplied(session, choices, readjust, qtText(*adjustmentFailure));
        } else {
            // The job was shown again meanwhile: reviewed again, with this placement.
            placementChoices_ = choices;
            placed_ = session->config().placement;
            session_->config().placement = placed_;
            session_->config().controlPath = choices.controlPath;
            adjustment_->clear();
            refresh();
        }
        workEnded();
    });
}

void ReviewPage::placementApplied(const std::shared_ptr<JobSession>& session,
                                  const PlacementChoices& choices, bool readjusted,
                                  const QString& adjustmentFailure) {
    using coordinates::PositionFrame;
    placementChoices_ = choices;
    placed_ = session->config().placement;
    if (session->adjustment()) {
        adjustment_->showAdjusted(*session->adjustment(), session->config().options.unit,
                                  tr("Adjusted again on the control, start and system applied."));
    } else {
        adjustment_->clear(readjusted ? tr("The adjustment was dropped: it could not be made "
                                           "again on the control, start and system applied: %1")
                                            .arg(adjustmentFailure)
                                      : QString());
    }
    // The sketch, the list and the exports follow the placement at once.
    positions_->offer(session->has(PositionFrame::TiedToControl),
                      session->has(PositionFrame::Adjusted));
    positions_->choose(session->has(PositionFrame::Adjusted)        ? PositionFrame::Adjusted
                       : session->has(PositionFrame::TiedToControl) ? PositionFrame::TiedToControl
                                                                    : PositionFrame::Local);
    showReview();
}

void ReviewPage::reportFailure(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        dialogs_.showMessage(this, QString::fromLocal8Bit(error.what()), MessageKind::Error);
    }
}

review::ReviewLimits ReviewPage::limits(bool metric) const { return limits_->limits(metric); }

void ReviewPage::setLimits(bool metric, const review::ReviewLimits& limits) {
    limits_->setLimits(metric, limits);
    if (shownUnit_ && metric == isMetric(*shownUnit_)) refresh();
}

void ReviewPage::closeJob() {
    session_.reset();
    reviewWanted_ = false;  // nothing left to review
    forgetJobState();
}

void ReviewPage::forgetJobState() {
    placementChoices_ = {};
    placed_.reset();
    placementWanted_ = false;
    placement_->show({});
    positions_->reset();
    exportChoices_.path.clear();  // the format and the CSV layout are the crew's habit
    adjustment_->clear();
    findings_->clear();
    summary_->clear();
    sketch_->markPoint(std::nullopt);
    sketch_->setModel({});
}

void ReviewPage::showJob(const JobPaths& job, const ConversionOptions& options,
                         const std::optional<ConversionResult>& lastConversion) {
    const bool otherJob = !session_ || job.basePath != session_->job().basePath;
    const bool unitChanged = shownUnit_ != options.unit;
    if (otherJob) forgetJobState();
    JobConfig config;
    config.options = options;
    config.limits = limits_->limits(options.metric());
    config.placement = placed_;
    config.controlPath = placementChoices_.controlPath;
    config.frame = positions_->chosenFrame();
    config.levels = levelRuns();
    session_ = std::make_shared<JobSession>(job, std::move(config));
    if (lastConversion && lastConversion->obsPath == job.obsPath)
        session_->rememberConversion(*lastConversion);
    // A new session has no adjustment: the tab shows none either.
    adjustment_->clear();
    adjustment_->setUnit(options.unit);
    shownUnit_ = options.unit;
    if (unitChanged) limits_->showUnit(options.unit);
    refresh();
    // The same job keeps where the crew was looking; another starts whole.
    if (otherJob) fitOnNextReview_ = true;
}

void ReviewPage::refresh() { requestReview(); }

std::optional<levels::LevelRunOptions> ReviewPage::levelRuns() const {
    if (levelFiles_.empty()) return std::nullopt;
    levels::LevelRunOptions options;
    options.files = levelFiles_;
    return options;
}

void ReviewPage::setLevelFiles(std::vector<std::string> files) {
    if (files == levelFiles_) return;
    levelFiles_ = std::move(files);
    if (!session_) return;
    // The adjustment held the job to the heights of the runs before.
    levelsChanged_ = true;
    adjustment_->clear();
    refresh();
}

void ReviewPage::requestReview() {
    ++reviewRequest_;
    reviewWanted_ = true;
    startWantedReview();
}

void ReviewPage::startWantedReview() {
    if (!reviewWanted_ || run_->running() || adjustment_->busy() || !session_) return;
    reviewWanted_ = false;
    const std::uint64_t request = reviewRequest_;
    const std::shared_ptr<JobSession> session = session_;
    auto work = [session, limits = limits_->shownLimits(), levels = levelRuns(),
                 levelsChanged = std::exchange(levelsChanged_, false)](RunObserver&) {
        session->config().limits = limits;
        session->config().levels = levels;
        if (levelsChanged) session->dropAdjustment();
        session->review();
    };
    run_->start(std::move(work), [this, request, session](BackgroundOutcome outcome) {
        // A newer request is waiting: this result would show what it replaces.
        if (request != reviewRequest_ || session != session_) {
            workEnded();
            return;
        }
        if (outcome.failure) {
            findings_->clear();
            positions_->clear();
            sketch_->setModel({});
            try {
                std::rethrow_exception(outcome.failure);
            } catch (const std::exception& error) {
                summary_->setText(QString::fromLocal8Bit(error.what()));
            }
        } else {
            showReview();
        }
        workEnded();
    });
}

void ReviewPage::workEnded() {
    if (run_->running() || adjustment_->busy()) return;
    if (placementWanted_) {
        applyPlacement();  // reviews too, with the limits in use now
        return;
    }
    if (reviewWanted_) {
        startWantedReview();
        return;
    }
    emit backgroundWorkEnded();
}

void ReviewPage::showReview() {
    const review::JobReview& reviewed = *session_->reviewed();
    findings_->setFindings(reviewed.report.findings);
    summary_->setText(qtText(reviewed.report.summaryLine()));
    adjustment_->setObservedOnceNote(qtText(reviewed.report.observedOnceNote()));
    showPositions();
    if (fitOnNextReview_) sketch_->fitToWindow();
    fitOnNextReview_ = false;
}

void ReviewPage::showPositions() {
    if (!session_ || !session_->reviewed() || run_->running()) return;
    positions_->offer(session_->has(coordinates::PositionFrame::TiedToControl),
                      session_->has(coordinates::PositionFrame::Adjusted));
    session_->config().frame = positions_->chosenFrame();
    review::SketchModel sketch = session_->sketch();
    // Another frame moves every point: look at the whole of it.
    const bool otherFrame = sketch.title.frame != sketch_->model().title.frame;
    sketch_->setModel(std::move(sketch));
    if (otherFrame) sketch_->fitToWindow();
    positions_->list(session_->positions());
}

void ReviewPage::openExportDialog() {
    if (!review() || busy()) return;
    // Through the page's chooser as it is when the file is chosen.
    const auto choose = [this](const QString& caption, const QString& filter,
                               const QString& suggested) {
        return chooseSavePath_(caption, filter, suggested);
    };
    auto* dialog = new ExportDialog(
        exportChoices_, choose, [this](const QString& path) { return mayWrite(path); },
        qtText(session_->job().basePath), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        exportChoices_ = dialog->choices();
        startExport();
    });
    dialog->open();
}

void ReviewPage::startExport() {
    if (!review() || busy() || exportChoices_.path.isEmpty()) return;
    const ExportChoices chosen = exportChoices_;
    const std::string path = fileText(chosen.path);
    const std::shared_ptr<JobSession> session = session_;
    auto work = [chosen, path, session](RunObserver&) {
        const exports::CsvLayout csv =
            exports::csvLayout(fileText(chosen.csvColumns), chosen.csvDelimiter, chosen.csvHeader);
        session->writeExports({exports::ExportTarget{chosen.format, path}}, csv);
    };
    run_->start(std::move(work), [this, path](BackgroundOutcome outcome) {
        if (outcome.failure) {
            reportFailure(outcome.failure);
        } else {
            dialogs_.showMessage(this, tr("Exported to %1").arg(qtText(path)), MessageKind::Notice);
        }
        workEnded();
    });
}

void ReviewPage::centreOnPoint(qlonglong point) {
    const std::ptrdiff_t index = sketch_->model().indexOf(point);
    if (index >= 0) sketch_->centreOn(static_cast<std::size_t>(index));
}

void ReviewPage::markPoint(qlonglong point) {
    centreOnPoint(point);
    sketch_->markPoint(point);
}

bool ReviewPage::mayWrite(const QString& path) {
    if (!session_) return false;
    try {
        refuseOwnedTargets(session_->job(), {fileText(path)});
    } catch (const std::exception& error) {
        dialogs_.showMessage(this, QString::fromLocal8Bit(error.what()), MessageKind::Error);
        return false;
    }
    if (!QFileInfo::exists(path)) return true;
    return dialogs_.confirmReplace(
        this, tr("%1 already exists. Replace it?").arg(QDir::toNativeSeparators(path)));
}

QByteArray ReviewPage::splitterState() const { return splitter_->saveState(); }

void ReviewPage::restoreSplitterState(const QByteArray& state) {
    if (!state.isEmpty() && splitter_->restoreState(state)) splitterPlaced_ = true;
}

void ReviewPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The first layout shares the width; later ones follow the stretch factors.
    if (splitterPlaced_ || width() <= 0) return;
    splitterPlaced_ = true;
    splitter_->setSizes({kSketchShare * width(), kReportShare * width()});
}

void ReviewPage::pointDoubleClicked(std::size_t pointIndex) {
    const std::size_t entry = sketch_->model().points.at(pointIndex).entry;
    if (entry > 0) emit editEntryRequested(entry);
}

void ReviewPage::exportSketch() {
    if (!review() || busy()) return;
    const auto choose = [this](const QString& caption, const QString& filter,
                               const QString& suggested) {
        return chooseSavePath_(caption, filter, suggested);
    };
    auto* dialog = new SketchExportDialog(
        choose, [this](const QString& path) { return mayWrite(path); },
        qtText(session_->job().basePath + ".svg"), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        if (busy()) return;
        const review::SketchExportOptions options = dialog->options();
        const SketchRequest request{fileText(dialog->path()), options.paper,
                                    options.scaleDenominator};
        try {
            WindowDrawing drawing;
            session_->writeSketch(request, drawing);
        } catch (const std::exception& error) {
            dialogs_.showMessage(this, QString::fromLocal8Bit(error.what()), MessageKind::Error);
        }
    });
    dialog->open();
}

void ReviewPage::exportReport() {
    if (!review() || busy()) return;
    const QString chosen = chooseSavePath_(tr("Export Report"), tr("PDF (*.pdf);;Text (*.txt)"),
                                           qtText(session_->job().basePath + "-report.pdf"));
    if (chosen.isEmpty() || !mayWrite(chosen)) return;
    const std::string path = fileText(chosen);
    const std::shared_ptr<JobSession> session = session_;
    auto work = [session, path, instrument = reportFields_->instrumentText(),
                 crew = reportFields_->crewText()](RunObserver&) {
        session->config().reportInstrument = instrument;
        session->config().reportCrew = crew;
        WindowDrawing drawing;
        session->writeReports({path}, drawing, today());
    };
    run_->start(std::move(work), [this](BackgroundOutcome outcome) {
        if (outcome.failure) reportFailure(outcome.failure);
        workEnded();
    });
}

}  // namespace zendro
