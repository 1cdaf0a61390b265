#include "shell/review/review_page.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "common/run_observer.h"
#include "conversion/header_clock.h"
#include "review/sketch_model.h"
#include "shell/background_run.h"
#include "shell/review/adjustment_tab.h"
#include "shell/review/findings_view.h"
#include "shell/review/limits_tab.h"
#include "shell/review/placement_tab.h"
#include "shell/review/positions_tab.h"
#include "shell/review/review_widgets.h"
#include "shell/review/sketch_export_dialog.h"
#include "shell/review/sketch_widget.h"
#include "shell/review/window_drawing.h"
#include "shell/shell_dialogs.h"

namespace zendro {
namespace {

QString defaultSaveChooser(const QString& caption, const QString& filter,
                           const QString& suggested) {
    return QFileDialog::getSaveFileName(nullptr, caption, suggested, filter);
}

// The day a report is made: SOURCE_DATE_EPOCH's when it names one, as the
// conversion's headers take it.
std::string today() {
    NullObserver quiet;
    return headerDate(defaultHeaderClock(quiet)());
}

const std::optional<review::JobReview> kNoReview;
const std::optional<coordinates::ControlTie> kNoTie;

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

    QPushButton* check = button(this, "ReviewCheck", tr("Check"),
                                tr("Review the job again with these limits"));
    QPushButton* fit = button(this, "ReviewFit", tr("Fit"),
                              tr("Show the whole job in the sketch (key 0)"));
    QPushButton* sketchExport = button(this, "ReviewExportSketch", tr("Export Sketch..."),
                                       tr("Save the plan sheet as SVG, PDF or PNG"));
    QPushButton* reportExport = button(this, "ReviewExportReport", tr("Export Report..."),
                                       tr("Save the job report as PDF or text"));
    QPushButton* pointsExport = button(
        this, "ReviewExport", tr("Export..."),
        tr("Export the points and chains: CSV, LandXML, DXF, GeoPackage, KML or GeoJSON"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {fit, sketchExport, reportExport, pointsExport}) buttons->addWidget(b);
    buttons->addStretch(1);

    limits_ = new LimitsTab(check, this);
    placement_ = new PlacementTab(this);
    positions_ = new PositionsTab(this);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("ReviewTabs"));
    tabs->addTab(findings_, tr("Findings"));
    tabs->addTab(limits_, tr("Limits"));
    tabs->addTab(placement_, tr("Control"));
    tabs->addTab(positions_, tr("Positions"));
    tabs->addTab(buildAdjustmentTab(), tr("Adjustment"));

    auto* beside = new QWidget(this);
    auto* besideLayout = new QVBoxLayout(beside);
    besideLayout->setContentsMargins(0, 0, 0, 0);
    besideLayout->addWidget(summary_);
    besideLayout->addWidget(tabs, 1);

    // The sketch takes what the window grows by; the report keeps its width.
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("ReviewSplitter"));
    splitter->addWidget(sketch_);
    splitter->addWidget(beside);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setCollapsible(0, false);
    splitter->setCollapsible(1, false);
    splitter->setSizes({500, 380});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    connect(check, &QPushButton::clicked, this, [this] { refresh(); });
    connect(limits_, &LimitsTab::edited, this, &ReviewPage::limitsEdited);
    connect(limits_, &LimitsTab::recheckWanted, this, [this] {
        if (session_) refresh();
    });
    connect(placement_, &PlacementTab::chooseControlRequested, this, [this] { chooseControlFile(); });
    connect(placement_, &PlacementTab::applyRequested, this, [this] { applyPlacement(); });
    connect(positions_, &PositionsTab::frameChosen, this, [this] { showPositions(); });
    connect(fit, &QPushButton::clicked, sketch_, &SketchWidget::fitToWindow);
    connect(sketchExport, &QPushButton::clicked, this, [this] { exportSketch(); });
    connect(reportExport, &QPushButton::clicked, this, [this] { exportReport(); });
    connect(pointsExport, &QPushButton::clicked, this, [this] { openExportDialog(); });
    connect(findings_, &FindingsView::pointChosen, this,
            [this](qlonglong point) { centreOnPoint(point); });
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
        if (session_ && session_->reviewed()) showPositions();
        workEnded();
    });
    connect(adjustment_, &AdjustmentTab::pointChosen, this,
            [this](qlonglong number) { centreOnPoint(number); });
    return adjustment_;
}

void ReviewPage::chooseControlFile() {
    const QString current = placement_->controlPath();
    const QString initial =
        current.isEmpty() && session_ ? qtText(session_->job().folderPath) : current;
    const QString path = dialogs_.chooseFieldFile(
        this, {tr("Control (*.csv *.txt)"), tr("All files (*)")}, tr("Control (*.csv *.txt)"),
        initial);
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
    const std::shared_ptr<JobSession> session = session_;
    const review::ReviewLimits limits = limits_->shownLimits();
    auto work = [session, choices, limits](RunObserver&) {
        JobConfig& config = session->config();
        auto placement = std::make_shared<const coordinates::PlacementInput>(
            loadPlacement(choices, config.options.unit));
        config.placement = std::move(placement);
        config.controlPath = choices.controlPath;
        config.limits = limits;
        session->dropAdjustment();  // it was made on the placement before
        session->review();
    };
    run_->start(std::move(work), [this, session, choices](BackgroundOutcome outcome) {
        if (outcome.failure) {
            // Nothing half-applied: the fields show the placement still in use.
            placement_->show(placementChoices_);
            reportFailure(outcome.failure);
        } else {
            placementChoices_ = choices;
            placed_ = session->config().placement;
            adjustment_->clear();
            // Another job shown meanwhile is reviewed again, with this placement.
            if (session == session_ && !reviewWanted_)
                showReview();
            else
                refresh();
        }
        workEnded();
    });
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

void ReviewPage::showJob(const JobPaths& job, const ConversionOptions& options,
                         const std::optional<ConversionResult>& lastConversion) {
    const bool otherJob = !session_ || job.basePath != session_->job().basePath;
    const bool unitChanged = shownUnit_ != options.unit;
    JobConfig config;
    config.options = options;
    config.limits = limits_->limits(options.metric());
    config.placement = placed_;
    config.controlPath = placementChoices_.controlPath;
    config.frame = positions_->chosenFrame();
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
    auto work = [session, limits = limits_->shownLimits()](RunObserver&) {
        session->config().limits = limits;
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
    auto* dialog =
        new ExportDialog(exportChoices_, choose, qtText(session_->job().basePath), this);
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
        const exports::CsvLayout csv = exports::csvLayout(
            fileText(chosen.csvColumns), chosen.csvDelimiter, chosen.csvHeader);
        session->writeExports({exports::ExportTarget{chosen.format, path}}, csv);
    };
    run_->start(std::move(work), [this, path](BackgroundOutcome outcome) {
        if (outcome.failure) {
            reportFailure(outcome.failure);
        } else {
            dialogs_.showMessage(this, tr("Exported to %1").arg(qtText(path)),
                                 MessageKind::Notice);
        }
        workEnded();
    });
}

void ReviewPage::centreOnPoint(qlonglong point) {
    const std::ptrdiff_t index = sketch_->model().indexOf(point);
    if (index >= 0) sketch_->centreOn(static_cast<std::size_t>(index));
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
    auto* dialog =
        new SketchExportDialog(choose, qtText(session_->job().basePath + ".svg"), this);
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
    const QString chosen =
        chooseSavePath_(tr("Export Report"), tr("PDF (*.pdf);;Text (*.txt)"),
                        qtText(session_->job().basePath + "-report.pdf"));
    if (chosen.isEmpty()) return;
    const std::string path = fileText(chosen);
    const std::shared_ptr<JobSession> session = session_;
    auto work = [session, path](RunObserver&) {
        WindowDrawing drawing;
        session->writeReports({path}, drawing, today());
    };
    run_->start(std::move(work), [this](BackgroundOutcome outcome) {
        if (outcome.failure) reportFailure(outcome.failure);
        workEnded();
    });
}

}  // namespace zendro
